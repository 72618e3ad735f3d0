// The time-domain charts: group delay over frequency, and the impulse and step responses of
// the whole speaker and every driver on one time axis, so a builder sees which driver starts
// first.
#include "charts/chart_views.h"
#include "charts/chart_views_detail.h"
#include "engine/time_response.h"

#include <algorithm>
#include <cmath>

namespace tavrel {

using namespace views_detail;

namespace {

constexpr double GroupDelayFloorDb = 40.0; ///< below the curve's maximum the phase means nothing

/// Name, colour and visibility of each time slot: the whole speaker, then every driver that
/// has time curves.
void setTimeCurves(TVChart& chart, const TResult& result, const TProjekt& projekt) {
    const TOptionBlock& option = projekt.Option;
    setCurve(chart, 0, "Whole speaker", option.ColorSetChassis[0], result.HasTime[0], result);
    for (int d = 0; d < driverCount(result); ++d) {
        setCurve(chart, d + 1, driverTitle(result, d, " "), option.ColorSetChassis[d + 1],
                 result.HasTime[d + 1], result);
    }
}

double maximumLevel(const TResult& result, int slot) {
    double level = -1e300;
    for (int k = 0; k < pointCount(result); ++k) {
        level = std::max(level, LevelOf(TimeSlotResponse(result, slot, k)));
    }
    return level;
}

/// The samples shown between `from` and `to` ms, thinned to fit a chart curve.
struct SampleWindow {
    int first = 0;
    int last = 0; ///< inclusive
    int stride = 1;
};

SampleWindow windowOf(double from, double to) {
    constexpr double rate = TimeSampleRate;
    SampleWindow w;
    w.first = std::clamp(static_cast<int>(std::ceil((from / 1000 - TimeStart) * rate)), 0,
                         TimeSamples - 1);
    w.last = std::clamp(static_cast<int>(std::floor((to / 1000 - TimeStart) * rate)), w.first,
                        TimeSamples - 1);
    w.stride = (w.last - w.first) / GridSize + 1;
    return w;
}

/// Fills the shown slots with the samples of `curves` (value × 1) in the time window of the
/// chart, and sets a symmetric value range around the largest of them.
void fillTimeChart(TVChart& chart, const TResult& result,
                   const std::array<TimeCurve, TimeSlots>& curves) {
    const SampleWindow w = windowOf(chart.xMin, chart.xMax);
    double largest = 0.0;
    for (int slot = 0; slot < TimeSlots; ++slot) {
        ChartCurve& curve = chart.curve(slot);
        curve.count = 0;
        if (!result.Valid || !result.HasTime[slot]) {
            continue;
        }
        for (int i = w.first; i <= w.last && curve.count < GridSize; i += w.stride) {
            curve.x[curve.count] = 1000 * (TimeStart + i / TimeSampleRate);
            curve.y[curve.count] = curves[slot][i];
            largest = std::max(largest, std::abs(curves[slot][i]));
            ++curve.count;
        }
    }
    const double range = NiceRangeAbove(1.1 * largest);
    chart.y1Min = -range;
    chart.y1Max = range;
}

void setTimeHeader(TVChart& chart, const TResult& result, const TProjekt& projekt, AxisType type) {
    setHeader(chart, result, projekt);
    chart.timeAxis = true;
    chart.xMin = TimeChartStartMs;
    chart.xMax = TimeChartEndMs;
    chart.y1Type = type;
    setTimeCurves(chart, result, projekt);
}

} // namespace

double NiceRangeAbove(double value, double fallback, std::span<const double> steps) {
    if (!(value > 0) || !std::isfinite(value)) {
        return fallback;
    }
    const double decade = std::pow(10.0, std::floor(std::log10(value)));
    for (double step : steps) {
        if (step * decade >= value * (1 - 1e-12)) {
            return step * decade;
        }
    }
    return 10 * decade;
}

void FillGroupDelayChart(TVChart& chart, const TResult& result, const TProjekt& projekt) {
    setHeader(chart, result, projekt);
    chart.y1Min = 0.1; // 0.0001 .. 1 s in ms
    chart.y1Max = 1000.0;
    chart.y1Type = AxisType::Milliseconds;
    setTimeCurves(chart, result, projekt);
    for (int slot = 0; slot < TimeSlots; ++slot) {
        if (!result.HasTime[slot]) {
            continue;
        }
        const double floor = maximumLevel(result, slot) - GroupDelayFloorDb;
        fillPoints(chart, slot, result, [&](int k) {
            const bool audible = LevelOf(TimeSlotResponse(result, slot, k)) >= floor;
            return audible ? 1000 * result.GroupDelay[slot][k] : ChartGap;
        });
    }
}

void FillImpulseChart(TVChart& chart, const TResult& result, const TProjekt& projekt) {
    setTimeHeader(chart, result, projekt, AxisType::PerSecond);
    fillTimeChart(chart, result, result.Impulse);
}

void FillStepChart(TVChart& chart, const TResult& result, const TProjekt& projekt) {
    setTimeHeader(chart, result, projekt, AxisType::Relative);
    fillTimeChart(chart, result, result.Step);
}

} // namespace tavrel
