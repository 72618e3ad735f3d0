#include "driver_editor/measured_chart.h"

#include <algorithm>
#include <cmath>

namespace tavrel {

namespace {

constexpr Colour PressureColour = MakeColour(0, 0, 200);
constexpr Colour ImpedanceColour = MakeColour(200, 0, 0);

/// Copies the points inside the chart's frequency range; returns the largest value.
double fillCurve(ChartCurve& curve, const MeasuredArray& F, const MeasuredArray& V,
                 const char* name, Colour colour, bool rightAxis) {
    curve = ChartCurve{};
    curve.name = name;
    curve.colour = colour;
    curve.rightAxis = rightAxis;
    double largest = -1e300;
    const int n = MeasuredCount(F);
    for (int i = 0; i < n; ++i) {
        if (!std::isfinite(V[i])) {
            continue;
        }
        curve.x[curve.count] = F[i];
        curve.y[curve.count] = V[i];
        ++curve.count;
        largest = std::max(largest, V[i]);
    }
    curve.visible = curve.count >= 2;
    return largest;
}

} // namespace

void FillMeasuredChart(TVChart& chart, const TChassis& chassis) {
    chart.HideCurves();
    chart.titles = {"Measured data " + chassis.Name.str(), "", "", ""};
    ChartCurve& pressure = chart.curve(0);
    ChartCurve& impedance = chart.curve(1);
    const double loudest = fillCurve(pressure, chassis.FgangAF, chassis.FgangA, "sound pressure",
                                     PressureColour, false);
    const double highest =
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
    chart.y1Type = AxisType::Spl;
    chart.y1Max =
        pressure.visible ? 10.0 * std::ceil(std::min(loudest, 200.0) / 10.0) + 10.0 : 100.0;
    chart.y1Min = chart.y1Max - 60.0;
    chart.secondAxis = true;
    chart.y2Type = AxisType::Impedance;
    chart.y2Min = 0.0;
    chart.y2Max =
        impedance.visible ? std::max(10.0, 10.0 * std::ceil(std::min(highest, 1e4) / 10.0)) : 50.0;
}

} // namespace tavrel
