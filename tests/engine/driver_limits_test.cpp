// Excursion and port air velocity of the default project's vented woofer, checked against
// the results they derive from: the maximum-SPL limits and the rear output the speaker sums.
#include "engine/calc_engine.h"
#include "engine/excursion.h"
#include "engine/vent_velocity.h"
#include "support/example_project.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace tavrel {
namespace {

constexpr int Woofer = 0;

class DriverLimits : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        project = test::LoadExample("Default.TVP").release();
        project->Einbau[Woofer].Aport = 0.003;
        engine = new TCalcEngine;
        engine->CalculateAll(*project);
    }
    static void TearDownTestSuite() {
        delete engine;
        delete project;
    }

    static const TResult& r() { return engine->Result(); }
    static double xlin() { return project->Chassis[Woofer].xlin; }
    static DriverPort rearPort() { return PortsOf(EinbauVented, project->Einbau[Woofer]).ports[0]; }

    static TProjekt* project;
    static TCalcEngine* engine;
};

TProjekt* DriverLimits::project = nullptr;
TCalcEngine* DriverLimits::engine = nullptr;

TEST_F(DriverLimits, ExcursionReachesXlinAtTheMaxSplExcursionVoltageAndStaysBelowAtThePowerLimit) {
    ASSERT_GT(r().nFreq, 100);
    for (int k = 0; k < r().nFreq; ++k) {
        const double excursionVolts = r().UmaxExcursion[Woofer][k];
        EXPECT_NEAR(ExcursionAt(r(), Woofer, k, xlin(), excursionVolts), xlin(), 1e-12) << k;
        // The voltage the maximum-SPL chart shows is the first limit: excursion or power.
        EXPECT_LE(ExcursionAt(r(), Woofer, k, xlin(), r().UmaxChassis[Woofer][k]),
                  xlin() * (1 + 1e-12))
            << k;
    }
}

TEST_F(DriverLimits, VentedBoxMovesLeastAndBlowsHardestNearItsTuning) {
    const double fb = project->Einbau[Woofer].fb;
    int leastMotion = -1, hardestBlow = -1;
    for (int k = 0; k < r().nFreq; ++k) {
        if (r().Freq[k] < fb / 2 || r().Freq[k] > fb * 1.5) {
            continue; // an octave around the tuning; the crossover lowers both further up
        }
        const auto x = [&](int i) { return ExcursionAt(r(), Woofer, i, xlin(), 2.83); };
        const auto v = [&](int i) { return PortAirVelocity(r(), Woofer, rearPort(), i, 2.83); };
        if (leastMotion < 0 || x(k) < x(leastMotion)) {
            leastMotion = k;
        }
        if (hardestBlow < 0 || v(k) > v(hardestBlow)) {
            hardestBlow = k;
        }
    }
    ASSERT_GE(leastMotion, 0);
    EXPECT_NEAR(std::log(r().Freq[leastMotion] / fb), 0, std::log(1.25));
    EXPECT_NEAR(std::log(r().Freq[hardestBlow] / fb), 0, std::log(1.25));
}

TEST_F(DriverLimits, PortVolumeVelocityIsTheRearOutputTheSpeakerSums) {
    constexpr double Volts = 10.0;
    const double pascalPerUnit = 20e-6 * std::pow(10.0, 112.0 / 20.0);
    for (int k = 0; k < r().nFreq; ++k) {
        // The summed rear source without its baffle diffraction, at 10 V instead of 2.83 V.
        const double pressure = CAbs(r().DirRear[Woofer][k][0]) /
                                CAbs(r().BaffleRear[Woofer][k][0]) * Volts / 2.83 * pascalPerUnit;
        const double omega = 2 * std::numbers::pi * r().Freq[k];
        const double expected = pressure * 2 * std::numbers::pi / (1.2 * omega);
        EXPECT_NEAR(PortVolumeVelocity(r(), Woofer, PortSide::Rear, k, Volts), expected,
                    1e-9 * expected)
            << k;
    }
}

} // namespace
} // namespace tavrel
