// The minimum phase of a magnitude matches the phase of systems known to be minimum phase: a
// second-order high pass and a driver in a closed box or free air, response and impedance.
#include "driver_editor/measured_minimum_phase.h"
#include "driver_editor/minimum_phase.h"
#include "engine/driver_test_drivers.h"

#include <cmath>
#include <complex>
#include <gtest/gtest.h>

namespace tavrel {
namespace {

constexpr double Degree = 3.141592653589793 / 180.0;

std::vector<double> logGrid(double lo, double hi, int n) {
    std::vector<double> f;
    for (int i = 0; i < n; ++i) {
        f.push_back(lo * std::pow(hi / lo, i / (n - 1.0)));
    }
    return f;
}

double phaseError(double a, double b) {
    return std::abs(std::remainder(a - b, 2.0 * 3.141592653589793));
}

/// A second-order high pass, and the corner of another that stands for its model.
struct HighPass {
    double f0, q, modelF0;
    std::complex<double> at(double f) const {
        const std::complex<double> s(0.0, f / f0);
        return s * s / (s * s + s / q + 1.0);
    }
};

class MinimumPhaseHighPass : public ::testing::TestWithParam<HighPass> {};

TEST_P(MinimumPhaseHighPass, matchesClosedForm) {
    const HighPass h = GetParam();
    const std::vector<double> f = logGrid(20.0, 20000.0, 200);
    std::vector<double> magnitude;
    std::vector<std::complex<double>> model;
    const HighPass other{h.modelF0, 0.5, 0};
    for (double fi : f) {
        magnitude.push_back(std::abs(h.at(fi)));
        model.push_back(other.at(fi));
    }
    const auto phase = MinimumPhase(f, magnitude, model);
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (f[i] >= 40.0 && f[i] <= 10000.0) {
            EXPECT_LT(phaseError(phase[i], std::arg(h.at(f[i]))), 3.0 * Degree) << f[i] << " Hz";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Shapes, MinimumPhaseHighPass,
                         ::testing::Values(HighPass{50, 0.707, 80}, HighPass{200, 1.2, 100},
                                           HighPass{30, 0.5, 25}));

class MinimumPhaseDriver : public ::testing::TestWithParam<ImportKind> {};

TEST_P(MinimumPhaseDriver, matchesModelPhaseInsideTheBand) {
    const bool impedance = GetParam() == ImportKind::Impedance;
    auto c = testing::midWoofer65();
    c->fgang_which = 5; // the simulated box, which stands for free air outside a project
    TEinbau freeAir{};
    SetMeasurementEnclosure(freeAir, 1);
    const std::vector<double> f = logGrid(15.0, 15000.0, 300);
    Grid grid{};
    std::copy(f.begin(), f.end(), grid.begin());
    auto out = std::make_unique<DriverOutputs>();
    std::string message;
    CalcDriver(*c, freeAir, grid, *out, message);
    ASSERT_EQ(message, "Ok");
    MeasuredArray& F = impedance ? c->FgangIF : c->FgangAF;
    MeasuredArray& V = impedance ? c->FgangI : c->FgangA;
    for (std::size_t i = 0; i < f.size(); ++i) {
        F[i] = f[i];
        V[i] = impedance ? CAbs(out->ZDrv[i]) : 20.0 * std::log10(CAbs(out->PFront[i]));
    }
    // The model that continues the band is off from the driver measured.
    c->fs *= 1.1;
    c->Qes *= 1.15;
    c->Le *= 1.5;
    ASSERT_EQ(SetMinimumPhase(*c, GetParam()), "");
    const MeasuredArray& P = impedance ? c->FgangIP : c->FgangAP;
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (f[i] >= 30.0 && f[i] <= 7500.0) {
            const TComplex model = impedance ? out->ZDrv[i] : out->PFront[i];
            EXPECT_LT(phaseError(P[i], CArg(model)), 3.0 * Degree) << f[i] << " Hz";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Curves, MinimumPhaseDriver,
                         ::testing::Values(ImportKind::FrequencyResponse, ImportKind::Impedance));

} // namespace
} // namespace tavrel
