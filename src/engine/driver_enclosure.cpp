// Enclosure losses and air load estimated from the damping settings, and the enclosures in
// which driver frequency responses are commonly measured.
#include "engine/driver_model.h"
#include "engine/driver_model_detail.h"

#include <algorithm>
#include <cmath>

namespace tavrel {

using namespace driver_detail;

namespace {

constexpr double UnusedQ = 9999.0;

double volumeFactor(double x) {
    return 1.0 + 0.0375 * x + 0.00625 * x * x;
}

double portQ(double k) {
    return 20.0 / (4.0 * k * k + 4.0 * k + 1.0);
}

/// A heavier diaphragm makes the air load relatively smaller, hence the power of mb0.
double estimatedMassFactor(const TChassis& driver, double v, double c) {
    const double x = 0.3 * v + 0.7 * c;
    const double mb0 = 0.98 - 0.03 * x - 0.0075 * x * x;
    if (!(positive(driver.Amem) && positive(driver.fs) && positive(driver.Vas))) {
        return mb0;
    }
    const double movingMass =
        driver.Amem * driver.Amem /
        (FourPiSquared * driver.fs * driver.fs * CompliancePerVolume * driver.Vas);
    return std::pow(mb0, 0.25 * driver.Amem / movingMass);
}

double estimatedAirLoadLimit(const TChassis& driver, const TEinbau& einbau, double v, double c) {
    if (!(positive(einbau.Vb) && positive(driver.Amem))) {
        return 344.0;
    }
    const double r = (3.0 * c + 1.0) / (2.0 * c + v + 5.0);
    const double divisor =
        r * std::sqrt(driver.Amem / 4.0) + (1.0 - r) * 0.35 * std::pow(einbau.Vb, 0.33333);
    return positive(divisor) ? 85.0 / divisor : 344.0;
}

/// Damping settings outside 0..4 would make some estimate formulas divide by zero.
double dampingValue(std::int8_t setting) {
    return static_cast<double>(std::clamp<int>(setting, 0, 4));
}

} // namespace

void EstimateEnclosure(const TChassis& driver, TEinbau& einbau) {
    if (einbau.mbQExpl) {
        return;
    }
    const int typ = einbau.Typ;
    const double v = dampingValue(einbau.Bedv);
    const double c = dampingValue(einbau.Bedc);
    const double k = dampingValue(einbau.Bedk);
    const double vf = dampingValue(einbau.Bedvf);
    const double kf = dampingValue(einbau.Bedkf);
    const bool vented = hasRearOutput(typ);

    einbau.vV = 1.0;
    einbau.mb = 1.0;
    einbau.Ql = UnusedQ;
    einbau.Qb = UnusedQ;
    einbau.Qk = UnusedQ;
    if (typ != EinbauIntegrated) {
        const double xv = vented ? 0.8 * v + 0.1 * c + 0.1 * k : 0.85 * v + 0.15 * c;
        const double xl = vented ? 0.3 * v + 0.65 * c + 0.05 * k : 0.35 * v + 0.65 * c;
        einbau.vV = volumeFactor(xv);
        einbau.mb = estimatedMassFactor(driver, v, c);
        einbau.Ql = 240.0 / (xl * xl + 4.0 * xl + 12.0);
    }
    if (vented) {
        const double xb = 0.8 * v + 0.2 * c;
        einbau.Qb = 80.0 / (xb * xb + 4.0 * xb + 4.0);
        einbau.Qk = portQ(k);
    }

    einbau.vVf = 1.0;
    einbau.Qbf = UnusedQ;
    einbau.Qkf = UnusedQ;
    if (isBandpass(typ)) {
        einbau.vVf = volumeFactor(0.85 * vf + 0.15 * kf);
        einbau.Qbf = 80.0 / (vf * vf + 4.0 * vf + 4.0);
        einbau.Qkf = portQ(kf);
    }
    einbau.fmb = estimatedAirLoadLimit(driver, einbau, v, c);
}

namespace {

void setClosedTestBox(TEinbau& einbau, double vb, double vV, double mb, double fmb, double ql) {
    einbau.Typ = EinbauClosed;
    einbau.Vb = vb;
    einbau.vV = vV;
    einbau.mb = mb;
    einbau.fmb = fmb;
    einbau.Ql = ql;
    einbau.mbQExpl = true;
}

} // namespace

void SetMeasurementEnclosure(TEinbau& einbau, int condition) {
    switch (condition) {
    case 1:
        setClosedTestBox(einbau, 1e99, 1.0, 1.0, 1.0, 99999.0);
        break;
    case 2:
        setClosedTestBox(einbau, 0.2, 1.1, 0.99, 10.0, 99999.0);
        break;
    case 3:
    case 6:
        setClosedTestBox(einbau, 0.5, 1.25, 1.0, 400.0, 8.5);
        break;
    case 4:
    case 7:
        setClosedTestBox(einbau, 0.5, 1.25, 1.0, 600.0, 8.5);
        break;
    default: // 5: measured in the simulated box itself; anything else is left alone too
        break;
    }
}

} // namespace tavrel
