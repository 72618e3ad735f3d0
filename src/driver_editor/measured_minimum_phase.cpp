#include "driver_editor/measured_minimum_phase.h"

#include "driver_editor/minimum_phase.h"
#include "engine/driver_model.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace tavrel {
namespace {

/// The model driver's response or impedance at the measured frequencies, in the condition the
/// measurement was taken in; empty when the driver's parameters do not let the model run.
std::vector<std::complex<double>> modelAt(const TChassis& driver, ImportKind kind,
                                          const std::vector<double>& f) {
    TEinbau einbau{};
    SetMeasurementEnclosure(einbau, driver.fgang_which == 5 ? 1 : driver.fgang_which);
    Grid grid{};
    std::copy(f.begin(), f.end(), grid.begin());
    auto out = std::make_unique<DriverOutputs>();
    std::string message;
    CalcDriver(driver, einbau, grid, *out, message);
    std::vector<std::complex<double>> model;
    for (std::size_t i = 0; message == "Ok" && i < f.size(); ++i) {
        const TComplex v = kind == ImportKind::Impedance ? out->ZDrv[i] : out->PFront[i];
        model.emplace_back(v.Re, v.Im);
    }
    return model;
}

} // namespace

std::string SetMinimumPhase(TChassis& driver, ImportKind kind) {
    const bool impedance = kind == ImportKind::Impedance;
    const MeasuredArray& F = impedance ? driver.FgangIF : driver.FgangAF;
    const MeasuredArray& V = impedance ? driver.FgangI : driver.FgangA;
    const int n = MeasuredCount(F);
    if (n < 2) {
        return "The minimum phase needs a measured magnitude of at least 2 points.";
    }
    std::vector<double> f(F.begin(), F.begin() + n);
    std::vector<double> magnitude(V.begin(), V.begin() + n);
    if (!impedance) {
        for (double& m : magnitude) {
            m = std::pow(10.0, m / 20.0);
        }
    }
    const std::vector<double> phase = MinimumPhase(f, magnitude, modelAt(driver, kind, f));
    MeasuredArray& PF = impedance ? driver.FgangIPF : driver.FgangAPF;
    MeasuredArray& P = impedance ? driver.FgangIP : driver.FgangAP;
    PF.fill(0.0);
    P.fill(0.0);
    std::copy(f.begin(), f.end(), PF.begin());
    // Stored phases lie within ±π; the interpolation joins neighbours across the cut.
    std::transform(phase.begin(), phase.end(), P.begin(),
                   [](double p) { return std::remainder(p, 6.283185307179586); });
    return {};
}

} // namespace tavrel
