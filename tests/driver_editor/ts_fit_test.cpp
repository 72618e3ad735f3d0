// The parameter fit recovers known drivers from impedance curves the driver model made, and
// refuses curves and figures that cannot give parameters.
#include "driver_editor/impedance_curve.h"
#include "driver_editor/ts_parameters.h"
#include "engine/driver_model_detail.h"
#include "engine/driver_test_drivers.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <random>

namespace tavrel {
namespace {

using testing::closedBox;
using testing::driverOf;

struct Case {
    const char* name;
    double fs, qes, qms, vas, re, sd;
    bool lossyCoil, phase;
    double noise;
    int points;
};

void setLossyCoil(TChassis& c) {
    c.Le = 0.3e-3;
    c.Re2 = 6;
    c.Le2 = 1.5e-3;
    c.Re3 = 3;
    c.Le3 = 0.1e-3;
}

std::unique_ptr<TChassis> driverOfCase(const Case& k) {
    auto c = driverOf(k.fs, k.qes, k.qms, k.vas, k.re, k.sd, 5e-3);
    if (k.lossyCoil) {
        setLossyCoil(*c);
    }
    return c;
}

/// The model's impedance from 10 Hz to 20 kHz, log spaced, with multiplicative noise.
ImpedanceCurve modelCurve(const TChassis& c, const TEinbau& e, const Case& k) {
    Grid grid{};
    for (int i = 0; i < k.points; ++i) {
        grid[i] = 10.0 * std::pow(2000.0, i / (k.points - 1.0));
    }
    auto out = std::make_unique<DriverOutputs>();
    std::string message;
    CalcDriver(c, e, grid, *out, message);
    EXPECT_EQ(message, "Ok");
    std::mt19937 random(7);
    std::normal_distribution<double> noise(0.0, 1.0);
    ImpedanceCurve curve;
    for (int i = 0; i < k.points; ++i) {
        curve.f.push_back(grid[i]);
        curve.magnitude.push_back(CAbs(out->ZDrv[i]) * (1.0 + k.noise * noise(random)));
        if (k.phase) {
            curve.phase.push_back(CArg(out->ZDrv[i]) + k.noise * noise(random));
        }
    }
    return curve;
}

/// The same driver with a mass on its cone: resonance lower, both Qs higher by the same root.
std::unique_ptr<TChassis> loaded(const TChassis& c, double mass, double mms) {
    auto l = std::make_unique<TChassis>(c);
    const double k = std::sqrt((mms + mass) / mms);
    l->fs /= k;
    l->Qes *= k;
    l->Qms *= k;
    return l;
}

class TsFit : public ::testing::TestWithParam<Case> {};

TEST_P(TsFit, recoversParametersAndVasByBothMethods) {
    const Case& k = GetParam();
    const auto driver = driverOfCase(k);
    const ImpedanceCurve free = modelCurve(*driver, TEinbau{}, k);
    const ImpedanceFitResult fit = FitImpedance(free);
    ASSERT_TRUE(fit.ok) << fit.message;
    EXPECT_NEAR(fit.fit.fs, k.fs, 0.005 * k.fs);
    EXPECT_NEAR(fit.fit.Re, k.re, 0.005 * k.re);
    EXPECT_NEAR(fit.fit.Qes, k.qes, 0.02 * k.qes);
    EXPECT_NEAR(fit.fit.Qms, k.qms, 0.02 * k.qms);
    EXPECT_LT(fit.fit.residualDb, k.noise > 0 ? 0.1 : 0.01);

    const double mms =
        k.sd * k.sd / (7.21e-6 * k.vas) / (driver_detail::FourPiSquared * k.fs * k.fs);
    const double mass = 0.5 * mms;
    const auto heavy = loaded(*driver, mass, mms);
    const TsResult byMass = FitThieleSmall(free, modelCurve(*heavy, TEinbau{}, k),
                                           {VasMethod::AddedMass, k.sd, mass, 0});
    ASSERT_TRUE(byMass.ok) << byMass.message;
    EXPECT_NEAR(byMass.p.Vas, k.vas, 0.03 * k.vas);
    EXPECT_NEAR(byMass.p.Mms, mms, 0.03 * mms);

    const double vb = 0.7 * k.vas;
    const TsResult byBox = FitThieleSmall(free, modelCurve(*driver, closedBox(vb), k),
                                          {VasMethod::ClosedBox, k.sd, 0, vb});
    ASSERT_TRUE(byBox.ok) << byBox.message;
    EXPECT_NEAR(byBox.p.Vas, k.vas, 0.03 * k.vas);
}

INSTANTIATE_TEST_SUITE_P(Drivers, TsFit,
                         ::testing::Values(Case{"woofer12_lossy_noisy_fine", 40.1, 0.42, 11, 0.1133,
                                                5.4, 539e-4, true, false, 0.005, 400},
                                           Case{"woofer12_phase_coarse", 40.1, 0.42, 11, 0.1133,
                                                5.4, 539e-4, true, true, 0.005, 60},
                                           Case{"sub10_plain_coil_coarse", 37.8, 0.5065, 10.648,
                                                0.01523, 7.22, 346.36e-4, false, false, 0.0, 50},
                                           Case{"mid65_lossy_noisy_phase", 62, 0.32, 5.5, 0.012,
                                                6.2, 119e-4, true, true, 0.005, 250},
                                           Case{"tweeterlike_high_q", 120, 0.9, 3.0, 0.002, 3.4,
                                                50e-4, true, false, 0.005, 300}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(TsFit, realFreeAirMeasurementFitsItsPeak) {
    std::ifstream in(TAVREL_TEST_DATA "/measurements/SpeAcouPy_FaitalPRO_12PR320_impedance.frd");
    const ImpedanceCurve curve = ImpedanceCurveOf(ReadMeasurementPoints(in));
    const ImpedanceFitResult fit = FitImpedance(curve);
    ASSERT_TRUE(fit.ok) << fit.message;
    const auto peak = std::max_element(curve.magnitude.begin(), curve.magnitude.end());
    const double fPeak = curve.f[peak - curve.magnitude.begin()];
    EXPECT_NEAR(fit.fit.fs, fPeak, 0.02 * fPeak);
    EXPECT_LT(fit.fit.residualDb, 1.0);
}

ImpedanceCurve shaped(int n, double (*z)(double)) {
    ImpedanceCurve c;
    for (int i = 0; i < n; ++i) {
        c.f.push_back(20.0 * std::pow(1.05, i));
        c.magnitude.push_back(z(c.f.back()));
    }
    return c;
}

TEST(TsFit, refusesCurvesWithoutResonanceAndBadFigures) {
    const auto flat = shaped(100, [](double) { return 8.0; });
    const auto rising = shaped(100, [](double f) { return 6.0 + f / 100.0; });
    const auto peaked = shaped(
        100, [](double f) { return 6.0 + 30.0 / (1.0 + std::pow(std::log(f / 60.0) * 4, 2)); });
    EXPECT_NE(FitImpedance(flat).message.find("no resonance peak"), std::string::npos);
    EXPECT_NE(FitImpedance(rising).message.find("no resonance peak"), std::string::npos);
    EXPECT_NE(FitImpedance(shaped(19, [](double) { return 8.0; })).message.find("at least 20"),
              std::string::npos);
    EXPECT_FALSE(FitThieleSmall(peaked, peaked, {VasMethod::AddedMass, 0.05, 0.0, 0}).ok);
    EXPECT_FALSE(FitThieleSmall(peaked, peaked, {VasMethod::AddedMass, 0.0, 0.01, 0}).ok);
    EXPECT_FALSE(FitThieleSmall(peaked, peaked, {VasMethod::ClosedBox, 0.05, 0, -0.02}).ok);
    EXPECT_FALSE(FitThieleSmall(peaked, peaked, {VasMethod::None, -0.05, 0, 0}).ok);

    ImpedanceFit free{.Re = 6, .fs = 40, .Qes = 0.4, .Qms = 5};
    ImpedanceFit higher = free;
    higher.fs = 45;
    const TsResult r = DeriveParameters(free, higher, {VasMethod::AddedMass, 0.05, 0.01, 0});
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("not below the free-air resonance"), std::string::npos);
    EXPECT_FALSE(DeriveParameters(free, free, {VasMethod::ClosedBox, 0.05, 0, 0.02}).ok);
}

} // namespace
} // namespace tavrel
