// Physics and edge cases of the driver equivalent circuit (CalcDriver, CalcDerived).
#include "driver_test_drivers.h"

#include <gtest/gtest.h>
#include <limits>
#include <numbers>
#include <vector>

namespace tavrel {
namespace {

using namespace tavrel::testing;

/// Single-point grid.
std::unique_ptr<Grid> at(double f) {
    auto g = std::make_unique<Grid>();
    (*g)[0] = f;
    return g;
}

int indexOfMax(const Curve& z, int n) {
    int best = 0;
    for (int i = 1; i < n; ++i) {
        if (CAbs(z[i]) > CAbs(z[best])) {
            best = i;
        }
    }
    return best;
}

TEST(DriverModelFreeAir, ImpedancePeakAtFsIsReTimesOnePlusQmsOverQes) {
    const auto c = proWoofer12();
    const ModelRun r = runDriver(*c, freeAir(), *at(c->fs));
    ASSERT_EQ(r.message, "Ok");
    const double expected = c->Re * (1.0 + c->Qms / c->Qes); // 146.83 ohm
    EXPECT_NEAR(CAbs(r.out->ZDrv[0]), expected, 0.002 * expected);
    EXPECT_NEAR(CArg(r.out->ZDrv[0]), 0.0, 1e-3);

    const auto grid = logGrid(20, 80, 401);
    const ModelRun sweep = runDriver(*c, freeAir(), *grid);
    const double peakF = (*grid)[indexOfMax(sweep.out->ZDrv, 401)];
    EXPECT_NEAR(peakF, c->fs, 0.005 * c->fs);
}

TEST(DriverModelFreeAir, DerivedResonanceIsFsAndTheLevelAboveItApproachesTheSensitivity) {
    auto c = proWoofer12();
    CalcDerived(*c, freeAir(), 1e-10);
    EXPECT_DOUBLE_EQ(c->fsbg, c->fs);
    EXPECT_NEAR(c->fc, c->fs, 1e-9);
    EXPECT_NEAR(c->Qts, 11 * 0.42 / 11.42, 1e-12);
    EXPECT_NEAR(c->Qtc, c->Qts, 1e-6);
    // Moving mass and Bl of the cited set: 57.0 g and 13.6 T·m (derived with c = 343 m/s).
    EXPECT_NEAR(c->Mmd, 0.0570, 0.002);
    EXPECT_NEAR(c->Bl, 13.6, 0.3);
    // η0 = 4π²/c³ · fs³·Vas/Qes with c = 343 m/s, plus 10·log10(8/Re) for 2.83 V: 96.02 dB.
    EXPECT_NEAR(c->SPL, 96.02, 0.1);
    EXPECT_GT(c->SPL, 95.9);
    const ModelRun r = runDriver(*c, freeAir(), *at(30 * c->fs));
    ASSERT_EQ(r.message, "Ok");
    EXPECT_NEAR(levelDb(r.out->PFront[0]), c->SPL, 0.02);
    // Positive pressure for a positive voltage well above resonance (mass-controlled).
    EXPECT_GT(r.out->PFront[0].Re, 0.0);
    EXPECT_EQ(r.out->PRear[0], (TComplex{1e-100, 0}));
}

TEST(DriverModelFreeAir, FallsTwelveDbPerOctaveWellBelowResonance) {
    const auto c = subwoofer10();
    auto grid = std::make_unique<Grid>();
    (*grid)[0] = c->fs / 16;
    (*grid)[1] = c->fs / 8;
    (*grid)[2] = c->fs * 8;
    (*grid)[3] = c->fs * 16;
    const ModelRun r = runDriver(*c, freeAir(), *grid);
    ASSERT_EQ(r.message, "Ok");
    EXPECT_NEAR(levelDb(r.out->PFront[1]) - levelDb(r.out->PFront[0]), 12.04, 0.2);
    // Excursion is stiffness-controlled (flat) below and mass-controlled (−12 dB/oct) above.
    EXPECT_NEAR(r.out->XFig[1] / r.out->XFig[0], 1.0, 0.03);
    EXPECT_NEAR(r.out->XFig[2] / r.out->XFig[3], 4.0, 0.12);
}

TEST(DriverModelClosedBox, RaisesResonanceBySqrtOfVasOverVbPlusOne) {
    auto c = proWoofer12();
    CalcDerived(*c, closedBox(0.025), 1e-10);
    EXPECT_NEAR(c->fc, 40.1 * std::sqrt(113.3 / 25 + 1), 1e-9);
    EXPECT_NEAR(c->fc, 94.3, 0.1); // worked example for this woofer in 25 l
    EXPECT_NEAR(c->Qtc, 0.952, 0.003);

    const auto grid = logGrid(50, 200, 601 - 1);
    const ModelRun r = runDriver(*c, closedBox(0.025), *grid);
    ASSERT_EQ(r.message, "Ok");
    const double peakF = (*grid)[indexOfMax(r.out->ZDrv, 600)];
    EXPECT_NEAR(peakF, 94.3, 1.0);
}

TEST(DriverModelClosedBox, AirLoadLowersResonanceOnlyBelowFmb) {
    auto c = proWoofer12();
    TEinbau e = closedBox(0.05);
    e.mb = 0.9;
    e.fmb = 100;
    CalcDerived(*c, e, 1e-10);
    EXPECT_NEAR(c->fsbg, c->fs * 0.9, 1e-9);
    EXPECT_NEAR(c->Qesbg, c->Qes / 0.9, 1e-9);
    CalcDerived(*c, e, 1e6);
    EXPECT_NEAR(c->fsbg, c->fs, 1e-6);
    CalcDerived(*c, e, 100);
    EXPECT_NEAR(c->fsbg, c->fs * 0.95, 1e-9); // (f² + mb·fmb²)/(f² + fmb²) at f = fmb
}

/// Local extrema of |Z| on a grid: indices of maxima and minima.
void extrema(const Curve& z, int n, std::vector<int>& maxima, std::vector<int>& minima) {
    for (int i = 1; i + 1 < n; ++i) {
        const double m = CAbs(z[i]);
        if (m > CAbs(z[i - 1]) && m > CAbs(z[i + 1])) {
            maxima.push_back(i);
        }
        if (m < CAbs(z[i - 1]) && m < CAbs(z[i + 1])) {
            minima.push_back(i);
        }
    }
}

TEST(DriverModelVentedBox, ImpedanceHasTwoPeaksAroundFbWithMinimumNearFb) {
    const auto c = subwoofer10();
    const double fb = 35;
    const auto grid = logGrid(10, 300, 600);
    const ModelRun r = runDriver(*c, ventedBox(0.03, fb), *grid);
    ASSERT_EQ(r.message, "Ok");
    std::vector<int> maxima, minima;
    extrema(r.out->ZDrv, 600, maxima, minima);
    ASSERT_EQ(maxima.size(), 2u);
    ASSERT_EQ(minima.size(), 1u);
    EXPECT_LT((*grid)[maxima[0]], fb);
    EXPECT_GT((*grid)[maxima[1]], fb);
    EXPECT_NEAR((*grid)[minima[0]], fb, 0.05 * fb);
    EXPECT_LT(CAbs(r.out->ZDrv[minima[0]]), 1.5 * c->Re);
}

TEST(DriverModelVentedBox, FrontAndPortCancelWellBelowFb) {
    const auto c = subwoofer10();
    const double fb = 35;
    auto grid = std::make_unique<Grid>();
    (*grid)[0] = fb / 10;
    (*grid)[1] = fb;
    (*grid)[2] = fb * 20;
    const ModelRun r = runDriver(*c, ventedBox(0.03, fb), *grid);
    ASSERT_EQ(r.message, "Ok");
    const TComplex front = r.out->PFront[0];
    const TComplex rear = r.out->PRear[0];
    EXPECT_NEAR(CAbs(rear) / CAbs(front), 1.0, 0.05);
    EXPECT_LT(CAbs(CAdd(front, rear)), 0.1 * CAbs(front));
    // At fb the port does the work: it radiates more than the diaphragm.
    EXPECT_GT(CAbs(r.out->PRear[1]), 2 * CAbs(r.out->PFront[1]));
    // Far above fb the port is silent.
    EXPECT_LT(CAbs(r.out->PRear[2]), 0.01 * CAbs(r.out->PFront[2]));
}

TEST(DriverModelBandpass, SingleVentedRadiatesOnlyThroughTheFrontPort) {
    const auto c = subwoofer10();
    TEinbau e = closedBox(0.02);
    e.Typ = EinbauBandpass;
    e.Vbf = 0.015;
    e.vVf = 1;
    e.fbf = 60;
    e.Qbf = 20;
    e.Qkf = 50;
    const auto grid = logGrid(15, 1000, 200);
    const ModelRun r = runDriver(*c, e, *grid);
    ASSERT_EQ(r.message, "Ok");
    for (int i = 0; i < 200; ++i) {
        ASSERT_EQ(r.out->PRear[i], (TComplex{1e-100, 0}));
    }
    const int peak = indexOfMax(r.out->PFront, 200);
    EXPECT_GT(levelDb(r.out->PFront[peak]) - levelDb(r.out->PFront[0]), 20);
    EXPECT_GT(levelDb(r.out->PFront[peak]) - levelDb(r.out->PFront[199]), 20);
}

TEST(DriverModelBandpass, BiventedRadiatesThroughBothPortsThatCancelAtLowFrequencies) {
    const auto c = subwoofer10();
    TEinbau e = ventedBox(0.02, 30);
    e.Typ = EinbauBandpassBivented;
    e.Vbf = 0.015;
    e.vVf = 1;
    e.fbf = 70;
    e.Qbf = 20;
    e.Qkf = 50;
    auto grid = std::make_unique<Grid>();
    (*grid)[0] = 3;
    (*grid)[1] = 30;
    const ModelRun r = runDriver(*c, e, *grid);
    ASSERT_EQ(r.message, "Ok");
    EXPECT_LT(CAbs(CAdd(r.out->PFront[0], r.out->PRear[0])), 0.05 * CAbs(r.out->PRear[0]));
    EXPECT_GT(CAbs(r.out->PRear[1]), CAbs(r.out->PFront[1])); // rear port tuned to 30 Hz
}

TEST(DriverModelInput, MissingVasComesFromTheRatedSensitivity) {
    auto full = subwoofer10();
    CalcDerived(*full, closedBox(0.03), 1e-10);
    auto fromSpl = subwoofer10();
    fromSpl->Vas = 0;
    fromSpl->_SPL = full->SPL;
    const auto grid = logGrid(20, 2000, 50);
    const ModelRun a = runDriver(*full, closedBox(0.03), *grid);
    const ModelRun b = runDriver(*fromSpl, closedBox(0.03), *grid);
    ASSERT_EQ(b.message, "Ok");
    for (int i = 0; i < 50; ++i) {
        EXPECT_NEAR(CAbs(b.out->ZDrv[i]), CAbs(a.out->ZDrv[i]), 1e-9 * CAbs(a.out->ZDrv[i]));
        EXPECT_NEAR(CAbs(b.out->PFront[i]), CAbs(a.out->PFront[i]), 1e-9);
    }
}

const std::string IncompleteText = "fs, Rdc, Qes, Qms, Vas, Sd must be > 0 or frequency response"
                                   " and impedance response incl. Phase must be completely"
                                   " imported. ";

TEST(DriverModelInput, MissingVasWithoutSensitivityFails) {
    auto c = subwoofer10();
    c->Vas = 0;
    const ModelRun r = runDriver(*c, closedBox(0.03), *at(100));
    EXPECT_EQ(r.message, IncompleteText);
}

TEST(DriverModelInput, AllFaultsAreReportedTogetherAndNothingIsWritten) {
    TChassis c; // all zero
    TEinbau e;
    e.Typ = EinbauBandpassBivented;
    e.Vb = 0;
    e.vV = 1;
    e.mb = 1;
    e.fmb = 1;
    e.Ql = 5;
    ModelRun r;
    r.out->PFront[0] = {7, 7};
    r.out->ZDrv[0] = {7, 7};
    CalcDriver(c, e, *at(100), *r.out, r.message);
    EXPECT_EQ(r.message, IncompleteText + "Linear excursion must be > 0. "
                                          "Le, Re2, Le2, Re3 and Le3 must be > 0. "
                                          "fmb, Vb, vV, mb and Ql must be  > 0. "
                                          "Qb and fb must be > 0. "
                                          "Vbf must be > 0. "
                                          "Qbf and fbf must be > 0. ");
    EXPECT_EQ(r.out->PFront[0], (TComplex{7, 7}));
    EXPECT_EQ(r.out->ZDrv[0], (TComplex{7, 7}));
}

TEST(DriverModelInput, EnclosureChecksDependOnType) {
    auto c = subwoofer10();
    TEinbau integrated; // Typ 0 needs no box values at all
    integrated.fmb = 0;
    integrated.mb = 0;
    EXPECT_EQ(runDriver(*c, integrated, *at(100)).message, "Ok");

    TEinbau vented = ventedBox(0.03, 0);
    EXPECT_EQ(runDriver(*c, vented, *at(100)).message, "Qb and fb must be > 0. ");
    TEinbau bandpass = closedBox(0.03);
    bandpass.Typ = EinbauBandpass;
    bandpass.Vbf = 0.01;
    EXPECT_EQ(runDriver(*c, bandpass, *at(100)).message, "Qbf and fbf must be > 0. ");

    c->xlin = 0;
    c->Le3 = -1;
    EXPECT_EQ(runDriver(*c, closedBox(0.03), *at(100)).message,
              "Linear excursion must be > 0. Le, Re2, Le2, Re3 and Le3 must be > 0. ");
}

TEST(DriverModelInput, UnknownEnclosureTypeCannotBeCalculated) {
    TEinbau e = closedBox(0.03);
    e.Typ = 7;
    EXPECT_EQ(runDriver(*subwoofer10(), e, *at(100)).message, "Cannot calculate driver.");
}

/// A driver with nothing but its four measured curves.
std::unique_ptr<TChassis> measuredOnlyDriver() {
    auto c = std::make_unique<TChassis>();
    c->Amem = 8e-4;
    c->useFgangA = c->useFgangAP = c->useFgangI = c->useFgangIP = true;
    c->FgangAF[0] = c->FgangAPF[0] = c->FgangIF[0] = c->FgangIPF[0] = 1000;
    return c;
}

TEST(DriverModelMeasuredOnly, NeedsNoParametersAndGivesNeutralOutputs) {
    const auto c = measuredOnlyDriver();
    auto grid = std::make_unique<Grid>();
    (*grid)[0] = 1000;
    (*grid)[1] = 2000;
    ModelRun r;
    r.out->PFront[2] = {7, 7};
    CalcDriver(*c, TEinbau{}, *grid, *r.out, r.message);
    ASSERT_EQ(r.message, "Ok");
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(r.out->PFront[i], (TComplex{1, 0}));
        EXPECT_EQ(r.out->PRear[i], (TComplex{1e-100, 0}));
        EXPECT_EQ(r.out->ZDrv[i], (TComplex{1, 0}));
    }
    const double f = 2000;
    EXPECT_NEAR(r.out->XFig[1], 21.537 / (3.14159 * 3.14159 * 8e-4 * f * f * 4), 1e-12);
    EXPECT_EQ(r.out->PFront[2], (TComplex{7, 7})); // beyond the grid: untouched
}

TEST(DriverModelMeasuredOnly, RequiresAllCurvesIntegratedTypeAndNoFadeIn) {
    auto c = measuredOnlyDriver();
    c->xlin = 1e-3;
    c->Le = c->Re2 = c->Le2 = c->Re3 = c->Le3 = 1;
    TEinbau closed = closedBox(0.01);
    EXPECT_EQ(runDriver(*c, closed, *at(100)).message, IncompleteText);

    c->useFgangA2fs = true;
    EXPECT_EQ(runDriver(*c, TEinbau{}, *at(100)).message, IncompleteText);
    c->useFgangA2fs = false;
    c->FgangIPF[0] = 0; // an empty phase curve
    EXPECT_EQ(runDriver(*c, TEinbau{}, *at(100)).message, IncompleteText);
}

TEST(DriverModelRun, StopsOnArithmeticFailureKeepingEarlierOutputs) {
    const auto c = subwoofer10();
    auto grid = std::make_unique<Grid>();
    (*grid)[0] = 100;
    (*grid)[1] = std::numeric_limits<double>::infinity();
    (*grid)[2] = 200;
    ModelRun r;
    r.out->ZDrv[1] = {7, 7};
    CalcDriver(*c, closedBox(0.03), *grid, *r.out, r.message);
    EXPECT_EQ(r.message, "Cannot calculate driver.");
    EXPECT_GT(CAbs(r.out->ZDrv[0]), c->Re);
    EXPECT_EQ(r.out->ZDrv[1], (TComplex{7, 7}));
}

TEST(DriverModelRun, GridWithoutTerminatorFailsAfterTheLastIndex) {
    const auto c = subwoofer10();
    auto grid = std::make_unique<Grid>();
    grid->fill(100);
    const ModelRun r = runDriver(*c, closedBox(0.03), *grid);
    EXPECT_EQ(r.message, "Cannot calculate driver.");
    EXPECT_EQ(r.out->ZDrv[GridSize - 1], r.out->ZDrv[0]);
}

TEST(DriverModelRun, VoiceCoilInductanceRaisesHighFrequencyImpedance) {
    const auto c = midWoofer65();
    auto grid = std::make_unique<Grid>();
    (*grid)[0] = 300;
    (*grid)[1] = 20000;
    const ModelRun r = runDriver(*c, closedBox(0.02), *grid);
    ASSERT_EQ(r.message, "Ok");
    // Zvc = Re + jωLe + Re2 ∥ jωLe2 + Re3 ∥ jωLe3, worked out at 20 kHz.
    const double w = 2 * std::numbers::pi * 20000;
    const TComplex zvc = CAdd(CAdd(TComplex{6.2, w * 0.11e-3}, CPar({8, 0}, {0, w * 0.2e-3})),
                              CPar({20, 0}, {0, w * 0.05e-3}));
    EXPECT_NEAR(r.out->ZDrv[1].Re, zvc.Re, 0.01);
    EXPECT_NEAR(r.out->ZDrv[1].Im, zvc.Im, 0.05);
    EXPECT_GT(r.out->ZDrv[1].Im, 0.0); // inductive
    EXPECT_LT(CAbs(r.out->ZDrv[0]), 1.2 * c->Re);
}

} // namespace
} // namespace tavrel
