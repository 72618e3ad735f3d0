#include "engine/speaker.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <numbers>
#include <vector>

namespace tavrel {
namespace {

constexpr double Pi = std::numbers::pi;

/// A project and results as the earlier jobs would leave them: every driver idle, baffles
/// that radiate 1 in every direction, unity filters and networks.
class SpeakerJob : public ::testing::Test {
protected:
    std::unique_ptr<TProjekt> project = std::make_unique<TProjekt>();
    std::unique_ptr<TResult> result = std::make_unique<TResult>();

    void SetUp() override { setGrid({100.0, 344.0, 1000.0}); }

    void setGrid(const std::vector<double>& freqs) {
        project->f.fill(0.0);
        for (std::size_t i = 0; i < freqs.size(); ++i) {
            project->f[i] = freqs[i];
        }
        for (auto& amp : result->AktFilterH) {
            amp.fill({1, 0});
        }
        for (int d = 0; d < ChassisSlots; ++d) {
            result->AmpOfChassis[d] = -1;
            for (std::size_t k = 0; k < freqs.size(); ++k) {
                result->BaffleFront[d][k].fill({1, 0});
                result->BaffleRear[d][k].fill({1, 0});
                result->ChassisU[d][k] = {1, 0};
            }
        }
    }

    /// Driver d driven by amplifier a, radiating `p` from the front only.
    void drive(int d, int a, TComplex p) {
        project->nChassis = static_cast<std::int16_t>(std::max<int>(project->nChassis, d + 1));
        result->AmpOfChassis[d] = a;
        result->PFrontBlend[d].fill(p);
        result->PFrontModel[d].fill(p);
        project->Chassis[d]._PMax = 1e6; // power never limits unless a test says so
        project->Chassis[d]._ZNenn = 8;
    }

    void run() { ASSERT_EQ(RunSpeakerJob(*project, *result), "Ok"); }
};

void expectNear(TComplex actual, TComplex expected, double tolerance = 1e-12) {
    EXPECT_NEAR(actual.Re, expected.Re, tolerance);
    EXPECT_NEAR(actual.Im, expected.Im, tolerance);
}

TEST_F(SpeakerJob, UndrivenDriverContributesNothingHasNoLimitAndTheGridEndStops) {
    drive(0, 0, {0.5, 0});
    project->nChassis = 2;
    result->PFrontBlend[1].fill({3, 0});
    result->DirFront[1][1][5] = {7, 7}; // stale value of an earlier pass
    result->SpeakerDir[3][0] = {5, 5};  // past the end of the grid
    run();
    EXPECT_EQ(result->DirFront[1][1][5], (TComplex{0, 0}));
    EXPECT_EQ(result->SpeakerDir[3][0], (TComplex{5, 5}));
    EXPECT_EQ(result->SpeakerDir[1][0], (TComplex{0.5, 0}));
    EXPECT_EQ(result->UmaxChassis[1][1], 1e10);
}

TEST_F(SpeakerJob, SourceAtOriginIsTheUnrotatedProductOfItsPath) {
    drive(0, 2, {0.3, -0.7});
    result->BaffleFront[0][1][0] = {0.9, 0.2};
    result->ChassisU[0][1] = {0.6, 0.1};
    result->AktFilterH[2][1] = {-0.4, 0.8};
    run();
    const TComplex expected = CMul(CMul(TComplex{0.9, 0.2}, TComplex{0.6, 0.1}),
                                   CMul(TComplex{-0.4, 0.8}, TComplex{0.3, -0.7}));
    EXPECT_EQ(result->DirFront[0][1][0], expected);
}

TEST_F(SpeakerJob, SourceNearerLeadsInPhaseAndHalfAWavelengthBackInverts) {
    drive(0, 0, {1, 0});
    project->Schallwand[0].stra = 0.1;
    run();
    // 344 Hz at 344 m/s: 0.1 m is a tenth of a wavelength, a lead of 2π·0.1.
    expectNear(result->DirFront[0][1][0], CPolar(1, 2 * Pi * 0.1));
    drive(0, 0, {0.8, 0.3});
    project->Schallwand[0].stra = -344.0 / 1000.0 / 2;
    run();
    expectNear(result->DirFront[0][2][0], {-0.8, -0.3});
    expectNear(result->SpeakerDir[2][0], {-0.8, -0.3});
}

TEST_F(SpeakerJob, SideDirectionsSeeTheHorizontalOffset) {
    EXPECT_NEAR(DirPathLength(2, 0.1, 0, 0), -0.05, 1e-15);                   // 30° left
    EXPECT_NEAR(DirPathLength(4, 0.1, 0, 0), 0.05, 1e-15);                    // 30° right
    EXPECT_NEAR(DirPathLength(1, 0, 0.1, 0), 0.05, 1e-15);                    // 30° up
    EXPECT_NEAR(DirPathLength(7, 0, 0.1, 0), -0.1 * std::sin(Pi / 3), 1e-15); // 60° down
    EXPECT_NEAR(DirPathLength(21, 0, 0, 0.2), -0.2, 1e-15);                   // 180° up
    EXPECT_NEAR(DirPathLength(29, 0, 0.1, 0.2), -0.1 - 0.1 * std::sqrt(3.0) / 2, 1e-15);

    drive(0, 0, {1, 0});
    project->Schallwand[0].hor = 0.1;
    run();
    const double lead = 2 * Pi * 344.0 * 0.05 / 344.0;
    expectNear(result->DirFront[0][1][2], CPolar(1, -lead));
    expectNear(result->DirFront[0][1][4], CPolar(1, lead));
    expectNear(result->DirFront[0][1][0], {1, 0});
}

TEST_F(SpeakerJob, EveryDirectionIsTurnedByItsPathPhase) {
    setGrid({63.0, 1234.5, 17000.0});
    drive(0, 0, {0.7, 0.2});
    result->PRearBlend[0].fill({-0.1, 0.3});
    TSchallwand& sw = project->Schallwand[0];
    sw.hor = 0.031, sw.vert = -0.217, sw.stra = 0.052;
    sw.horr = -0.113, sw.vertr = 0.09, sw.strar = -0.3;
    run();
    for (std::size_t k = 0; k < 3; ++k) {
        const double f = project->f[k];
        for (int n = 0; n < Directions; ++n) {
            const TComplex front = CRotate({0.7, 0.2}, DirPhase(n, sw.hor, sw.vert, sw.stra, f));
            const TComplex rear = CRotate({-0.1, 0.3}, DirPhase(n, sw.horr, sw.vertr, sw.strar, f));
            expectNear(result->DirFront[0][k][n], front, 1e-11);
            expectNear(result->DirRear[0][k][n], rear, 1e-11);
            expectNear(result->SpeakerDir[k][n], CAdd(front, rear), 1e-11);
        }
    }
}

TEST_F(SpeakerJob, RearSourceUsesItsOwnPlacementPressureAndBaffle) {
    drive(0, 0, {0, 0});
    result->PRearBlend[0].fill({0.5, 0});
    result->BaffleRear[0][1][3] = {0, 2};
    project->Schallwand[0].strar = -0.25; // a quarter wavelength at 344 Hz: 90° lag
    run();
    expectNear(result->DirRear[0][1][0], {0, -0.5});
    // 30° down the axial offset counts with cos 30°.
    expectNear(result->DirRear[0][1][3], CPolar(1, Pi / 2 - 2 * Pi * 0.25 * std::cos(Pi / 6)));
    EXPECT_EQ(result->DirFront[0][1][3], (TComplex{0, 0}));
}

TEST_F(SpeakerJob, ReversedTweeterTurnsTheCrossoverNotchIntoAFlatSum) {
    // Second-order low and high pass at 1 kHz: in phase they cancel at the crossover
    // frequency, with the tweeter reversed they sum to magnitude 1 everywhere.
    const std::vector<double> freqs{250, 500, 1000, 2000, 4000};
    setGrid(freqs);
    drive(0, 0, {1, 0});
    drive(1, 1, {1, 0});
    auto lowPass = [](double f) {
        const TComplex s{0, f / 1000};
        const TComplex den = CMul(CAdd({1, 0}, s), CAdd({1, 0}, s));
        return CDiv({1, 0}, den);
    };
    auto highPass = [&](double f) { return CMul(CMul({0, f / 1000}, {0, f / 1000}), lowPass(f)); };
    for (std::size_t k = 0; k < freqs.size(); ++k) {
        result->ChassisU[0][k] = lowPass(freqs[k]);
        result->ChassisU[1][k] = highPass(freqs[k]);
    }
    run();
    std::vector<double> inPhase;
    for (std::size_t k = 0; k < freqs.size(); ++k) {
        inPhase.push_back(CAbs(result->SpeakerDir[k][0]));
        const double x = freqs[k] / 1000;
        EXPECT_NEAR(inPhase[k], std::abs(1 - x * x) / (1 + x * x), 1e-12);
    }
    EXPECT_NEAR(inPhase[2], 0.0, 1e-12);

    for (std::size_t k = 0; k < freqs.size(); ++k) {
        result->ChassisU[1][k] = CScale(result->ChassisU[1][k], -1);
    }
    run();
    for (std::size_t k = 0; k < freqs.size(); ++k) {
        EXPECT_NEAR(CAbs(result->SpeakerDir[k][0]), 1.0, 1e-12) << freqs[k] << " Hz";
    }
}

TEST_F(SpeakerJob, ExcursionLimitScalesWithXlinAndExcursionFigure) {
    drive(0, 0, {2, 0});
    project->Chassis[0].xlin = 0.004;
    result->XFig[0].fill(0.002);
    run();
    // Unity network: the limit does not depend on the sensitivity, only on xlin / XFig.
    const double limit = 0.004 / 2 / 0.002 / 2.828 * 3.7 * 0.8 * 2.828;
    EXPECT_NEAR(result->UmaxExcursion[0][1], limit, 1e-12);
    EXPECT_NEAR(result->UmaxChassis[0][1], limit, 1e-12);
    EXPECT_NEAR(result->Umax[1], limit, 1e-12);
    EXPECT_NEAR(result->PmaxChassis[0][1], 2 * limit / 2.828, 1e-12);
    EXPECT_NEAR(result->PmaxSpeaker[1], 2 * limit / 2.828, 1e-12);

    project->Chassis[0].xlin = 0.008;
    run();
    EXPECT_NEAR(result->Umax[1], 2 * limit, 1e-12);
}

TEST_F(SpeakerJob, PowerLimitComesFirstWhenItIsLower) {
    drive(0, 0, {1, 0});
    project->Chassis[0].xlin = 0.01;
    result->XFig[0].fill(0.001); // excursion allows 29.6 V here
    project->Chassis[0]._PMax = 8;
    project->Chassis[0]._ZNenn = 8; // 8 V at the terminals
    for (auto& u : result->ChassisU[0]) {
        u = {0.5, 0}; // the network halves the voltage: 16 V at the amplifier
    }
    run();
    const double excursion = 0.01 / 2 / 0.001 / 2.828 * 3.7 * 0.8 * 2.828 * 2;
    EXPECT_NEAR(result->UmaxExcursion[0][1], excursion, 1e-9);
    EXPECT_NEAR(result->UmaxChassis[0][1], 16.0, 1e-9);
    EXPECT_NEAR(result->PmaxChassis[0][1], 8 * 0.5 / 2.83 / 0.5, 1e-12);

    project->Chassis[0]._PMax = 100; // now 56 V: excursion limits again
    run();
    EXPECT_NEAR(result->UmaxChassis[0][1], excursion, 1e-9);
}

TEST_F(SpeakerJob, SpeakerLimitIsTheWeakestDriver) {
    drive(0, 0, {1, 0});
    drive(1, 1, {1, 0});
    project->Chassis[0].xlin = project->Chassis[1].xlin = 0.005;
    result->XFig[0].fill(0.001);
    result->XFig[1].fill(0.004);
    run();
    EXPECT_NEAR(result->Umax[0], result->UmaxChassis[1][0], 1e-12);
    EXPECT_NEAR(result->UmaxChassis[0][0], 4 * result->UmaxChassis[1][0], 1e-9);
    EXPECT_NEAR(result->PmaxSpeaker[0], 2 * result->Umax[0] / 2.828, 1e-12);
}

TEST_F(SpeakerJob, ExcursionFigureZeroKeepsTheEarlierPressureAndUnusedSlotsGetTiny) {
    drive(0, 0, {1, 0});
    result->PmaxChassis[0].fill(0.7);
    result->PmaxChassis[5].fill(3.0);
    run();
    EXPECT_EQ(result->PmaxChassis[0][1], 0.7);
    EXPECT_EQ(result->PmaxChassis[5][1], 1e-50);
}

TEST_F(SpeakerJob, DirectivityComparesOnAxisWithAllDirectionsAndTiltedAxesRotate) {
    drive(0, 0, {1, 0});
    run();
    EXPECT_NEAR(result->Directivity[1], 1.0, 1e-12); // radiates the same everywhere

    for (std::size_t n = 1; n < Directions; ++n) {
        result->BaffleFront[0][1][n] = {0, 0};
    }
    run();
    EXPECT_NEAR(result->Directivity[1], std::sqrt(30.0), 1e-9); // only on axis

    result->BaffleFront[0][1][0] = {0, 0};
    result->BaffleFront[0][1][7] = {1, 0};
    run();
    EXPECT_EQ(result->Directivity[1], 0.0); // silent on axis

    result->BaffleFront[0][1][7] = {0, 0};
    run();
    EXPECT_EQ(result->Directivity[1], 0.0); // silent everywhere: still finite
    EXPECT_EQ(result->SumTiltPlus[2], result->SpeakerDir[2][0]);
    EXPECT_EQ(result->SumTiltMinus[2], result->SpeakerDir[2][0]);

    project->Schallwand[0].vert = 0.2;
    run();
    const double phi = 2 * 3.14159 * 1000 * 0.017455 * 0.2 / 345;
    expectNear(result->SumTiltPlus[2], CRotate(result->SpeakerDir[2][0], phi));
    expectNear(result->SumTiltMinus[2], CRotate(result->SpeakerDir[2][0], -phi));
}

TEST_F(SpeakerJob, ArithmeticFailureEndsWithItsErrorKeepingEarlierPoints) {
    drive(0, 0, {1, 0});
    result->PFrontBlend[0][1] = {std::nan(""), 0};
    EXPECT_EQ(RunSpeakerJob(*project, *result), "Error: Cannot calculate speaker.");
    EXPECT_EQ(result->SpeakerDir[0][0], (TComplex{1, 0}));

    result->PFrontBlend[0].fill({1e200, 0});
    result->ChassisU[0][0] = {1e200, 0}; // overflows
    EXPECT_EQ(RunSpeakerJob(*project, *result), "Error: Cannot calculate speaker.");
}

TEST_F(SpeakerJob, OverflowingExcursionLimitIsAnErrorEvenWhenPowerLimitsFirst) {
    drive(0, 0, {1e-150, 0}); // nearly silent as driven, but loud by the pure model
    result->PFrontModel[0].fill({1, 0});
    project->Chassis[0].xlin = 1;
    project->Chassis[0]._PMax = 1;
    result->XFig[0].fill(1e-300);
    EXPECT_EQ(RunSpeakerJob(*project, *result), "Error: Cannot calculate speaker.");
}

TEST_F(SpeakerJob, ImpossibleAmplifierIndexIsAnErrorNotAnOutOfBoundsRead) {
    drive(0, MaxAmps, {1, 0});
    EXPECT_EQ(RunSpeakerJob(*project, *result), "Error: Cannot calculate speaker.");
}

} // namespace
} // namespace tavrel
