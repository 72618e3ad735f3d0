// The excursion and vent air velocity charts: what limits a woofer at the chosen input level.
#include "charts/chart_views.h"
#include "charts/chart_views_detail.h"
#include "engine/excursion.h"
#include "engine/vent_velocity.h"
#include "foundation/number_text.h"

#include <algorithm>
#include <cmath>

namespace tavrel {

using namespace views_detail;

namespace {

constexpr double MmPerMetre = 1000.0;

constexpr Colour LimitColour = MakeColour(255, 128, 0);

/// Axis ends of the excursion and vent charts: finer than the time charts' steps.
constexpr std::array<double, 10> FineAxisSteps{1, 1.5, 2, 2.5, 3, 4, 5, 6, 8, 10};

/// A value the axis can show: anything not finite is drawn at the top, off the scale.
double onAxis(double value, double top) {
    return std::isfinite(value) ? value : top;
}

std::string levelText(const InputLevel& level) {
    return "at " + FloatToWidth(5, level.volts) + " V rms (" +
           FloatToWidth(5, WattsInto8Ohm(level.volts)) + " W into 8 ohm)";
}

/// A horizontal line at `value` across the grid.
void setLine(TVChart& chart, int slot, const TResult& result, double value) {
    fillPoints(chart, slot, result, [&](int) { return value; });
}

/// A quarter above the largest excursion limit of the drivers shown: room to see a curve
/// cross its limit, and small excursions still readable.
double excursionAxisTop(const TResult& result, const TProjekt& projekt) {
    double largest = 0.0;
    for (int d = 0; d < driverCount(result); ++d) {
        if (HasExcursion(result, d)) {
            const TChassis& driver = projekt.Chassis[d];
            largest = std::max({largest, driver.xlin, driver.xmax});
        }
        if (HasRadiators(result, d, projekt.Einbau[d])) {
            largest = std::max(largest, projekt.Einbau[d].PRxmax);
        }
    }
    const double top = 1.25 * largest * MmPerMetre;
    return NiceRangeAbove(top, 10.0, FineAxisSteps);
}

/// The radiators of the first driver that has them: dashed in the driver's colour, with their
/// xmax dotted.
void fillRadiatorExcursion(TVChart& chart, const TResult& result, const TProjekt& projekt,
                           const InputLevel& level) {
    constexpr int Slot = RadiatorExcursionSlot;
    setCurve(chart, Slot, "", Black, false, result);
    setCurve(chart, Slot + 1, "", Black, false, result);
    for (int d = 0; d < driverCount(result); ++d) {
        const TEinbau& einbau = projekt.Einbau[d];
        if (!HasRadiators(result, d, einbau)) {
            continue;
        }
        const Colour colour = projekt.Option.ColorSetChassis[d + 1];
        const std::string number = "(" + std::to_string(d + 1) + ")";
        setCurve(chart, Slot, "radiators " + number, colour, true, result);
        setCurve(chart, Slot + 1, "radiator xmax " + number, colour, true, result);
        chart.curve(Slot).style = LineStyle::Dashed;
        chart.curve(Slot + 1).style = LineStyle::Dotted;
        fillPoints(chart, Slot, result, [&](int k) {
            return onAxis(RadiatorExcursionAt(result, d, k, einbau, level.volts) * MmPerMetre,
                          chart.y1Max);
        });
        setLine(chart, Slot + 1, result, onAxis(einbau.PRxmax * MmPerMetre, chart.y1Max));
        return;
    }
}

} // namespace

void FillExcursionChart(TVChart& chart, const TResult& result, const TProjekt& projekt,
                        const InputLevel& level) {
    setHeader(chart, result, projekt);
    chart.y1Type = AxisType::Millimetre;
    chart.y1Min = 0.0;
    chart.y1Max = excursionAxisTop(result, projekt);
    chart.titles[1] = "peak, one side, " + levelText(level);
    for (int d = 0; d < driverCount(result); ++d) {
        const bool shown = HasExcursion(result, d);
        const TChassis& driver = projekt.Chassis[d];
        const Colour colour = projekt.Option.ColorSetChassis[d + 1];
        const int slot = ExcursionSlotsPerDriver * d;
        const std::string number = "(" + std::to_string(d + 1) + ")";
        setCurve(chart, slot, driverTitle(result, d, " "), colour, shown, result);
        setCurve(chart, slot + 1, "xlin " + number, colour, shown, result);
        setCurve(chart, slot + 2, "xmax " + number, colour, shown && driver.xmax > 0, result);
        chart.curve(slot + 1).style = LineStyle::Dashed;
        chart.curve(slot + 2).style = LineStyle::Dotted;
        if (!shown) {
            continue; // without an amplifier the results hold no limit for the driver
        }
        fillPoints(chart, slot, result, [&](int k) {
            return onAxis(ExcursionAt(result, d, k, driver.Amem, level.volts) * MmPerMetre,
                          chart.y1Max);
        });
        setLine(chart, slot + 1, result, onAxis(driver.xlin * MmPerMetre, chart.y1Max));
        setLine(chart, slot + 2, result, onAxis(driver.xmax * MmPerMetre, chart.y1Max));
    }
    fillRadiatorExcursion(chart, result, projekt, level);
}

void FillVentVelocityChart(TVChart& chart, const TResult& result, const TProjekt& projekt,
                           const InputLevel& level) {
    setHeader(chart, result, projekt);
    chart.y1Type = AxisType::MetresPerSecond;
    chart.y1Min = 0.0;
    const double limit = onAxis(level.ventLimit, 0.0);
    chart.y1Max = NiceRangeAbove(2.0 * limit, 50.0, FineAxisSteps);
    chart.titles[1] = "peak, " + levelText(level);
    setCurve(chart, 0, "audibility limit " + FloatToWidth(5, limit) + " m/s", LimitColour, true,
             result);
    chart.curve(0).style = LineStyle::Dashed;
    chart.reference(0).visible = false;
    setLine(chart, 0, result, limit);
    bool missingArea = false;
    for (int d = 0; d < driverCount(result); ++d) {
        const DriverPorts ports = PortsOf(result.EinbauTyp[d], projekt.Einbau[d]);
        const bool driven = AmpOfDriver(result, d) >= 0;
        for (int p = 0; p < ports.count; ++p) {
            const DriverPort& port = ports.ports[p];
            const bool front = port.side == PortSide::Front;
            const int slot = 1 + 2 * d + (front ? 1 : 0);
            const char* suffix = ports.count == 1 ? "" : (front ? " front" : " rear");
            setCurve(chart, slot, driverTitle(result, d, " ") + suffix,
                     projekt.Option.ColorSetChassis[d + 1], driven, result);
            chart.curve(slot).style =
                front && ports.count == 2 ? LineStyle::Dashed : LineStyle::Solid;
            if (!(port.area > 0)) {
                missingArea = missingArea || driven;
                chart.curve(slot).count = 0; // named in the legend, nothing to draw
                continue;
            }
            fillPoints(chart, slot, result, [&](int k) {
                return onAxis(PortAirVelocity(result, d, port, k, level.volts), chart.y1Max);
            });
        }
    }
    if (missingArea) {
        chart.titles[1] = "enter the port cross-section in the driver editor";
    }
}

} // namespace tavrel
