// The driver job: stored outputs, status texts and the correction by measured responses.
#include "driver_test_drivers.h"
#include "engine/baffle.h"

#include <gtest/gtest.h>
#include <numbers>

namespace tavrel {
namespace {

using namespace tavrel::testing;

struct JobSetup {
    std::unique_ptr<TProjekt> project = std::make_unique<TProjekt>();
    std::unique_ptr<TResult> result = MakeResult();

    TChassis& driver() { return project->Chassis[0]; }
    TEinbau& einbau() { return project->Einbau[0]; }
    std::string run(int d = 0) { return RunDriverJob(*project, d, *result); }
};

void setGrid(TProjekt& p, std::initializer_list<double> frequencies) {
    p.f.fill(0);
    int i = 0;
    for (double f : frequencies) {
        p.f[i++] = f;
    }
}

JobSetup closedBoxJob() {
    JobSetup s;
    s.driver() = *subwoofer10();
    s.einbau() = closedBox(0.03);
    CalcDerived(s.driver(), s.einbau(), 1e-10); // the stored fc, as after loading a project
    s.project->Schallwand[0].beugl = s.project->Schallwand[0].beugr = false;
    s.project->Schallwand[0].beugo = s.project->Schallwand[0].beugu = false;
    return s;
}

/// A flat measured response of `level` dB with zero phase, and a flat 8 Ω impedance.
void addFlatMeasurements(TChassis& c, double level, double impedancePhase) {
    c.FgangAF[0] = c.FgangAPF[0] = c.FgangIF[0] = c.FgangIPF[0] = 10;
    c.FgangAF[1] = c.FgangAPF[1] = c.FgangIF[1] = c.FgangIPF[1] = 30000;
    c.FgangA[0] = c.FgangA[1] = level;
    c.FgangI[0] = c.FgangI[1] = 8;
    c.FgangIP[0] = c.FgangIP[1] = impedancePhase;
}

TEST(DriverJob, StoresModelOutputsOnTheGridOnly) {
    JobSetup s = closedBoxJob();
    setGrid(*s.project, {50, 100, 1000});
    s.result->ChassisZ[0][3] = {7, 7};
    ASSERT_EQ(s.run(), "Ok");
    auto out = std::make_unique<DriverOutputs>();
    std::string message;
    CalcDriver(s.driver(), s.einbau(), s.project->f, *out, message);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(s.result->ChassisZ[0][i], out->ZDrv[i]);
        EXPECT_EQ(s.result->PFrontModel[0][i], out->PFront[i]);
        EXPECT_EQ(s.result->PFrontBlend[0][i], out->PFront[i]);
        EXPECT_EQ(s.result->PRearBlend[0][i], out->PRear[i]);
        EXPECT_EQ(s.result->XFig[0][i], out->XFig[i]);
    }
    EXPECT_EQ(s.result->ChassisZ[0][3], (TComplex{7, 7}));
}

TEST(DriverJob, InputFaultsBecomeTheDriversErrorText) {
    JobSetup s = closedBoxJob();
    setGrid(*s.project, {100});
    s.project->Chassis[2] = s.driver();
    s.project->Chassis[2].xlin = 0;
    s.project->Einbau[2] = s.einbau();
    EXPECT_EQ(s.run(2), "Error: driver 3: Linear excursion must be > 0. ");
    EXPECT_EQ(s.result->ChassisZ[2][0], (TComplex{}));
    EXPECT_EQ(s.run(9), "Error: driver 10: Cannot calculate driver.");
    EXPECT_EQ(s.run(-1), "Error: driver 0: Cannot calculate driver.");
}

TEST(DriverJob, MeasuredOnlyDriverTakesItsMeasurements) {
    JobSetup s;
    TChassis& c = s.driver();
    c.Amem = 8e-4;
    c.fgang_which = 1;
    c.useFgangA = c.useFgangAP = c.useFgangI = c.useFgangIP = true;
    addFlatMeasurements(c, 92, 0.3);
    s.einbau() = TEinbau{};
    setGrid(*s.project, {200, 2000, 20000});
    ASSERT_EQ(s.run(), "Ok");

    auto baffle = std::make_unique<Directional>();
    TSchallwand condition = s.project->Schallwand[0];
    SetMeasurementBaffle(condition, 1);
    std::string message;
    CalcBaffle(*baffle, condition, s.project->f, 0, message);
    ASSERT_EQ(message, "Ok");
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(CAbs(s.result->ChassisZ[0][i]), 8, 1e-9);
        EXPECT_NEAR(CArg(s.result->ChassisZ[0][i]), 0.3, 1e-9);
        // Seen through the measurement baffle the blended pressure is the measured one.
        const TComplex heard = CMul(s.result->PFrontBlend[0][i], (*baffle)[i][0]);
        EXPECT_NEAR(levelDb(heard), 92, 1e-6);
        EXPECT_NEAR(CArg(heard), 0.0, 1e-6);
        EXPECT_EQ(s.result->PFrontModel[0][i], (TComplex{1, 0}));
    }
}

/// Blended over model pressure, i.e. the correction applied at grid point i.
TComplex correctionAt(const TResult& r, int i) {
    return CDiv(r.PFrontBlend[0][i], r.PFrontModel[0][i]);
}

TEST(DriverJob, FadeInUsesTheMeasurementGraduallyFromFcToThreeFc) {
    JobSetup full = closedBoxJob();
    TChassis& c = full.driver();
    c.fgang_which = 1;
    c.useFgangA = c.useFgangAP = true;
    addFlatMeasurements(c, 85, 0);
    const double fc = c.fc;
    setGrid(*full.project, {fc / 2, fc, 1.5 * fc, 2 * fc, 2.9 * fc, 3 * fc, 6 * fc});
    ASSERT_EQ(full.run(), "Ok");

    JobSetup faded;
    *faded.project = *full.project;
    faded.driver().useFgangA2fs = true;
    ASSERT_EQ(faded.run(), "Ok");

    const double weights[] = {0, 0, 0.25, 0.5, 0.95, 1, 1};
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        const TComplex r = correctionAt(*full.result, i);
        const TComplex q = correctionAt(*faded.result, i);
        const double w = weights[i];
        EXPECT_NEAR(q.Re, w * r.Re + 1 - w, 1e-9 * CAbs(r));
        EXPECT_NEAR(q.Im, w * r.Im, 1e-9 * CAbs(r));
    }
    EXPECT_EQ(faded.result->PFrontBlend[0][0], faded.result->PFrontModel[0][0]);
    // The correction is far from 1 at the low end, so the weights above are meaningful.
    EXPECT_GT(CAbs(CSub(correctionAt(*full.result, 0), {1, 0})), 0.5);
}

TEST(DriverJob, MagnitudeOnlyCorrectionKeepsTheModelPhase) {
    JobSetup s = closedBoxJob();
    s.einbau() = ventedBox(0.03, 35);
    TChassis& c = s.driver();
    CalcDerived(c, s.einbau(), 1e-10);
    c.fgang_which = 1;
    c.useFgangA = true;
    addFlatMeasurements(c, 85, 0);
    setGrid(*s.project, {20, 35, 100, 1000});
    ASSERT_EQ(s.run(), "Ok");
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const TComplex r = correctionAt(*s.result, i);
        EXPECT_GT(r.Re, 0.0);
        EXPECT_NEAR(r.Im, 0.0, 1e-9 * r.Re);
        const TComplex rear = CDiv(s.result->PRearBlend[0][i], s.result->PRearModel[0][i]);
        EXPECT_NEAR(rear.Re, r.Re, 1e-9 * r.Re);
    }
}

TEST(DriverJob, MeasuredImpedanceReplacesTheModelAboveThreeFcInABox) {
    JobSetup s = closedBoxJob();
    TChassis& c = s.driver();
    c.useFgangI = true;
    addFlatMeasurements(c, 85, 0.7);
    const double fc = c.fc;
    setGrid(*s.project, {fc, 2.9 * fc, 3.1 * fc, 10 * fc});
    auto out = std::make_unique<DriverOutputs>();
    std::string message;
    CalcDriver(c, s.einbau(), s.project->f, *out, message);

    ASSERT_EQ(s.run(), "Ok");
    EXPECT_EQ(s.result->ChassisZ[0][0], out->ZDrv[0]);
    EXPECT_EQ(s.result->ChassisZ[0][1], out->ZDrv[1]);
    for (int i = 2; i < 4; ++i) {
        EXPECT_NEAR(CAbs(s.result->ChassisZ[0][i]), 8, 1e-9);
        EXPECT_NEAR(CArg(s.result->ChassisZ[0][i]), CArg(out->ZDrv[i]), 1e-9);
    }

    c.useFgangIP = true;
    ASSERT_EQ(s.run(), "Ok");
    for (int i = 2; i < 4; ++i) {
        EXPECT_NEAR(CAbs(s.result->ChassisZ[0][i]), 8, 1e-9);
        EXPECT_NEAR(CArg(s.result->ChassisZ[0][i]), 0.7, 1e-9);
    }
}

TEST(DriverJob, MeasuredPhaseRefersToTheAcousticCentre) {
    JobSetup s;
    TChassis& c = s.driver();
    c.Amem = 8e-4;
    c.seo = 0.02;
    c.fgang_which = 1;
    c.useFgangA = c.useFgangAP = c.useFgangI = c.useFgangIP = true;
    addFlatMeasurements(c, 92, 0);
    s.einbau() = TEinbau{};
    setGrid(*s.project, {1000, 20000});
    ASSERT_EQ(s.run(), "Ok");
    auto baffle = std::make_unique<Directional>();
    TSchallwand condition = s.project->Schallwand[0];
    SetMeasurementBaffle(condition, 1);
    std::string message;
    CalcBaffle(*baffle, condition, s.project->f, c.seo, message);
    for (int i = 0; i < 2; ++i) {
        const TComplex heard = CMul(s.result->PFrontBlend[0][i], (*baffle)[i][0]);
        // The source lies seo behind the baffle plane: its sound arrives later there.
        const double delay = 2 * std::numbers::pi * c.seo * s.project->f[i] / 344;
        EXPECT_NEAR(std::cos(CArg(heard)), std::cos(delay), 1e-9);
        EXPECT_NEAR(std::sin(CArg(heard)), -std::sin(delay), 1e-9);
    }
}

TEST(DriverJob, MeasurementBaffleFaultIsAppendedAndStopsTheCorrection) {
    JobSetup s = closedBoxJob();
    TChassis& c = s.driver();
    c.fgang_which = 5; // measured on the simulated baffle, which here has no size
    c.useFgangA = c.useFgangI = c.useFgangIP = true;
    addFlatMeasurements(c, 85, 0.7);
    s.project->Schallwand[0] = TSchallwand{};
    setGrid(*s.project, {100, 1000});
    auto baffle = std::make_unique<Directional>();
    std::string baffleText;
    CalcBaffle(*baffle, s.project->Schallwand[0], s.project->f, c.seo, baffleText);
    ASSERT_GT(baffleText.size(), 2u);

    EXPECT_EQ(s.run(), "Error: driver 1: " + baffleText);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(s.result->PFrontBlend[0][i], s.result->PFrontModel[0][i]);
        EXPECT_GT(std::abs(CArg(s.result->ChassisZ[0][i]) - 0.7), 0.1);
    }
}

TEST(DriverJob, OverflowingMeasurementCannotBeCalculated) {
    JobSetup s = closedBoxJob();
    s.driver().fgang_which = 1;
    s.driver().useFgangA = true;
    addFlatMeasurements(s.driver(), 1e6, 0);
    setGrid(*s.project, {100, 1000});
    EXPECT_EQ(s.run(), "Error: driver 1: Cannot calculate driver.");
}

} // namespace
} // namespace tavrel
