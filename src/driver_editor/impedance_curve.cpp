#include "driver_editor/impedance_curve.h"

#include "engine/driver_model.h"

#include <cmath>

namespace tavrel {
namespace {

/// A phase for every point, and not only the zeros a missing second column reads as.
bool everyPointHasPhase(const MeasurementPoints& points) {
    bool nonZero = false;
    for (double v : points.value2) {
        if (std::isnan(v)) {
            return false;
        }
        nonZero = nonZero || v != 0.0;
    }
    return nonZero;
}

} // namespace

ImpedanceCurve ImpedanceCurveOf(const TChassis& driver) {
    ImpedanceCurve c;
    const int n = MeasuredCount(driver.FgangIF);
    const bool hasPhase = MeasuredCount(driver.FgangIPF) > 0;
    for (int i = 0; i < n; ++i) {
        c.f.push_back(driver.FgangIF[i]);
        c.magnitude.push_back(driver.FgangI[i]);
        if (hasPhase) {
            c.phase.push_back(InterpPhase(driver.FgangIPF, driver.FgangIP, driver.FgangIF[i]));
        }
    }
    return c;
}

ImpedanceCurve ImpedanceCurveOf(const MeasurementPoints& points) {
    const bool phase = everyPointHasPhase(points);
    ImpedanceCurve c;
    for (int i = 0; i < points.count(); ++i) {
        if (!c.f.empty() && !(points.f[i] > c.f.back())) {
            continue;
        }
        c.f.push_back(points.f[i]);
        c.magnitude.push_back(points.value1[i]);
        if (phase) {
            c.phase.push_back(std::remainder(points.value2[i], 360.0) * 3.141592653589793 / 180.0);
        }
    }
    return c;
}

} // namespace tavrel
