#include "driver_editor/measured_chart.h"

#include <algorithm>
#include <cmath>

namespace tavrel {

namespace {

constexpr Colour PressureColour = MakeColour(0, 0, 200);
constexpr Colour ImpedanceColour = MakeColour(200, 0, 0);

struct ValueRange {
    double low = 1e300, high = -1e300;
};

/// Copies the finite points of a measured list; returns their value range.
ValueRange fillCurve(ChartCurve& curve, const MeasuredArray& F, const MeasuredArray& V,
                     const char* name, Colour colour, bool rightAxis) {
    curve = ChartCurve{};
    curve.name = name;
    curve.colour = colour;
    curve.rightAxis = rightAxis;
    ValueRange range;
    const int n = MeasuredCount(F);
    for (int i = 0; i < n; ++i) {
        if (!std::isfinite(V[i])) {
            continue;
        }
        curve.x[curve.count] = F[i];
        curve.y[curve.count] = V[i];
        ++curve.count;
        range.low = std::min(range.low, V[i]);
        range.high = std::max(range.high, V[i]);
    }
    curve.visible = curve.count >= 2;
    return range;
}

} // namespace

void FillMeasuredChart(TVChart& chart, const TChassis& chassis) {
    chart.HideCurves();
    chart.titles = {"Measured data " + chassis.Name.str(), "", "", ""};
    ChartCurve& pressure = chart.curve(0);
    ChartCurve& impedance = chart.curve(1);
    const ValueRange levels = fillCurve(pressure, chassis.FgangAF, chassis.FgangA, "sound pressure",
                                        PressureColour, false);
    const ValueRange impedances =
        fillCurve(impedance, chassis.FgangIF, chassis.FgangI, "impedance", ImpedanceColour, true);
    chart.hasData = pressure.visible || impedance.visible;

    double fLow = 20.0, fHigh = 20000.0;
    for (const ChartCurve* curve : {&pressure, &impedance}) {
        for (int i = 0; i < curve->count; ++i) {
            fLow = std::min(fLow, curve->x[i]);
            fHigh = std::max(fHigh, curve->x[i]);
        }
    }
    chart.xMin = fLow < 20.0 ? 10.0 : 20.0;
    chart.xMax = fHigh > 20000.0 ? 40000.0 : 20000.0;

    // Levels in whole 10 dB steps, 40 dB to 100 dB of them.
    chart.y1Type = AxisType::Spl;
    chart.y1Max = 100.0;
    chart.y1Min = 40.0;
    if (pressure.visible) {
        chart.y1Max = 10.0 * std::ceil(std::clamp(levels.high, -300.0, 300.0) / 10.0);
        chart.y1Min = std::clamp(10.0 * std::floor(std::max(levels.low, -400.0) / 10.0),
                                 chart.y1Max - 100.0, chart.y1Max - 40.0);
    }
    chart.secondAxis = true;
    chart.y2Type = AxisType::Impedance;
    chart.y2Min = 0.0;
    chart.y2Max = 50.0;
    if (impedance.visible) {
        chart.y2Max = std::max(10.0, 10.0 * std::ceil(std::min(impedances.high, 1e4) / 10.0));
    }
}

} // namespace tavrel
