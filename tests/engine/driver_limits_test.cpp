// Excursion and port air velocity of the default project's vented woofer, checked against
// the results they derive from: the maximum-SPL limits and the rear output the speaker sums.
#include "engine/calc_engine.h"
#include "engine/excursion.h"
#include "engine/vent_velocity.h"
#include "export/result_export.h"
#include "support/example_project.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <sstream>

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
    static double amem() { return project->Chassis[Woofer].Amem; }
    static DriverPort rearPort() { return PortsOf(EinbauVented, project->Einbau[Woofer]).ports[0]; }

    static TProjekt* project;
    static TCalcEngine* engine;
};

TProjekt* DriverLimits::project = nullptr;
TCalcEngine* DriverLimits::engine = nullptr;

// The maximum-SPL rule's fixed factors put its excursion limit at about 1.43·xlin of true
// peak excursion, the same at every frequency.
TEST_F(DriverLimits, MaxSplExcursionLimitIsAFixedPeakExcursionAndThePowerLimitStaysBelowIt) {
    ASSERT_GT(r().nFreq, 100);
    for (int k = 0; k < r().nFreq; ++k) {
        const double excursionVolts = r().UmaxExcursion[Woofer][k];
        EXPECT_NEAR(ExcursionAt(r(), Woofer, k, amem(), excursionVolts) / xlin(), 1.4317, 1e-3)
            << k;
        EXPECT_LE(r().UmaxChassis[Woofer][k], excursionVolts * (1 + 1e-12)) << k;
    }
}

TEST_F(DriverLimits, VentedBoxMovesLeastAndBlowsHardestNearItsTuning) {
    const double fb = project->Einbau[Woofer].fb;
    int leastMotion = -1, hardestBlow = -1;
    for (int k = 0; k < r().nFreq; ++k) {
        if (r().Freq[k] < fb / 2 || r().Freq[k] > fb * 1.5) {
            continue; // an octave around the tuning; the crossover lowers both further up
        }
        const auto x = [&](int i) { return ExcursionAt(r(), Woofer, i, amem(), 2.83); };
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

// One driver in a closed box on a baffle without diffraction: its exported on-axis pressure is
// the cone's alone, as a half-space source.
TEST(ConeExcursion, IsThePistonExcursionOfTheExportedOnAxisPressure) {
    auto project = test::LoadExample("Default.TVP");
    project->nChassis = 1;
    project->Einbau[0].Typ = EinbauClosed;
    TSchallwand& w = project->Schallwand[0];
    w.beugl = w.beugr = w.beugo = w.beugu = false;
    TCalcEngine engine;
    engine.CalculateAll(*project);
    const TResult& r = engine.Result();
    std::istringstream frd(FormatExport(r, {ExportCurve::Driver, 0}, ExportFormat::Frd));
    std::string line;
    const double amem = project->Chassis[0].Amem;
    int k = 0;
    while (std::getline(frd, line)) {
        if (line.empty() || line[0] == '*') {
            continue;
        }
        double f = 0, level = 0;
        std::istringstream(line) >> f >> level;
        const double pascal = 20e-6 * std::pow(10.0, level / 20);
        const double omega = 2 * std::numbers::pi * f;
        const double q = pascal * 2 * std::numbers::pi / (1.2 * omega);
        const double expected = std::sqrt(2.0) * q / (amem * omega);
        EXPECT_NEAR(ExcursionAt(r, 0, k, amem, 2.83), expected, 1e-7 * expected) << f;
        ++k;
    }
    EXPECT_EQ(k, r.nFreq);
}

// The radiators of the example subwoofer limit it where they swing most; the cone's own limit
// stays what it is.
TEST(RadiatorExcursion, LimitsTheVoltageWhereTheRadiatorsReachTheirXmaxFirst) {
    auto project = test::LoadExample("Passive radiator subwoofer.TVP");
    project->Chassis[0]._PMax = 2000; // its power rating would come first everywhere
    TCalcEngine engine;
    engine.CalculateAll(*project);
    const TResult& r = engine.Result();
    const TEinbau& e = project->Einbau[0];
    ASSERT_EQ(e.Typ, EinbauPassiveRadiator);
    int limitedByRadiators = 0;
    for (int k = 0; k < r.nFreq; ++k) {
        const double u = r.UmaxChassis[0][k];
        const double radiators = RadiatorExcursionAt(r, 0, k, e, u);
        EXPECT_LE(radiators, e.PRxmax * (1 + 1e-9)) << k;
        EXPECT_LE(u, r.UmaxExcursion[0][k] * (1 + 1e-12)) << k;
        if (std::abs(radiators / e.PRxmax - 1) < 1e-9) {
            ++limitedByRadiators;
            EXPECT_LT(u, r.UmaxExcursion[0][k]) << k;
        }
    }
    EXPECT_GT(limitedByRadiators, 0);
    EXPECT_TRUE(std::isnan(RadiatorExcursionAt(r, 0, 0, TEinbau{}, 2.83)));
}

} // namespace
} // namespace tavrel
