// The passive radiator enclosure against the textbook circuit of driver, box and radiators,
// its limit towards a port, and its tuning.
#include "driver_test_drivers.h"
#include "engine/passive_radiator.h"

#include <gtest/gtest.h>
#include <numbers>

namespace tavrel {
namespace {

using namespace tavrel::testing;

constexpr double Pi = std::numbers::pi;
constexpr double Compliance = 7.21e-6; // 1/(ρc²), 1/Pa

/// A lossless box (no absorption, no leakage) without air load, holding radiators.
TEinbau radiatorBox(double vb, int n, double sd, double vas, double fs, double qms, double madd) {
    TEinbau e = closedBox(vb);
    e.Typ = EinbauPassiveRadiator;
    e.Qb = 1e12;
    e.PRn = n;
    e.PRSd = sd;
    e.PRVas = vas;
    e.PRfs = fs;
    e.PRQms = qms;
    e.PRmadd = madd;
    e.PRxmax = 0.01;
    return e;
}

TComplex c(double re, double im = 0) {
    return {re, im};
}

/// Impedance and volume velocities per volt of the textbook circuit: the driver's mass,
/// compliance and losses, loaded by the box compliance in parallel with the radiators' series
/// mass, compliance and resistance (acoustic impedance analogy).
struct Textbook {
    TComplex z, cone, radiators;
};

Textbook textbook(const TChassis& d, const TEinbau& e, double f) {
    const double w = 2 * Pi * f;
    const TComplex jw = c(0, w);
    const double cms = Compliance * d.Vas / (d.Amem * d.Amem);
    const double mms = 1 / (4 * Pi * Pi * d.fs * d.fs * cms);
    const double bl = std::sqrt(d.Re / (2 * Pi * d.fs * cms * d.Qes));
    const double rms = 2 * Pi * d.fs * mms / d.Qms;
    const double cmp = Compliance * e.PRVas / (e.PRSd * e.PRSd);
    const double bareMass = 1 / (4 * Pi * Pi * e.PRfs * e.PRfs * cmp);
    const double rmp = 2 * Pi * e.PRfs * bareMass / e.PRQms;
    const TComplex radiator =
        CAdd3(c(rmp), CMul(jw, c(bareMass + e.PRmadd)), CDiv(c(1), CMul(jw, c(cmp))));
    const TComplex zap = CScale(radiator, 1 / (e.PRSd * e.PRSd * e.PRn));
    const TComplex zbox = CDiv(c(1), CMul(jw, c(Compliance * e.Vb)));
    const TComplex rear = CPar(zbox, zap);
    const TComplex zmech = CAdd(CAdd3(c(rms), CMul(jw, c(mms)), CDiv(c(1), CMul(jw, c(cms)))),
                                CScale(rear, d.Amem * d.Amem));
    const TComplex zvc =
        CAdd3(c(d.Re, w * d.Le), CPar(c(d.Re2), c(0, w * d.Le2)), CPar(c(d.Re3), c(0, w * d.Le3)));
    Textbook t;
    t.z = CAdd(zvc, CDiv(c(bl * bl), zmech));
    const TComplex u = CDiv(c(bl), CMul(t.z, zmech));
    t.cone = CScale(u, d.Amem);
    t.radiators = CScale(CMul(t.cone, CDiv(zbox, CAdd(zbox, zap))), -1);
    return t;
}

/// The model's output pressure as volume velocity per volt: the pressure scale is the driver's
/// sensitivity times jω·Mms·Re/(Bl·Sd) times the volume velocity.
TComplex volumeVelocity(const TChassis& d, TComplex p, double f) {
    const double cms = Compliance * d.Vas / (d.Amem * d.Amem);
    const double mms = 1 / (4 * Pi * Pi * d.fs * d.fs * cms);
    const double bl = std::sqrt(d.Re / (2 * Pi * d.fs * cms * d.Qes));
    const double g = std::sqrt(9.64e-7 * d.fs * d.fs * d.fs * d.Vas / d.Qes * 8 / d.Re);
    return CDiv(p, c(0, g * 2 * Pi * f * mms * d.Re / (bl * d.Amem)));
}

void expectClose(TComplex model, TComplex expected, double f, const char* what) {
    EXPECT_LE(CAbs(CSub(model, expected)), 1e-9 * CAbs(expected)) << what << " at " << f << " Hz";
}

struct Case {
    std::unique_ptr<TChassis> (*driver)();
    TEinbau box;
};

class RadiatorCircuit : public ::testing::TestWithParam<Case> {};

TEST_P(RadiatorCircuit, ImpedanceAndVolumeVelocitiesAreThoseOfTheTextbookCircuit) {
    const auto d = GetParam().driver();
    const TEinbau& e = GetParam().box;
    const auto grid = logGrid(5, 2000, 120);
    const ModelRun run = runDriver(*d, e, *grid);
    ASSERT_EQ(run.message, "Ok");
    for (int i = 0; i < 120; ++i) {
        const double f = (*grid)[i];
        const Textbook t = textbook(*d, e, f);
        expectClose(run.out->ZDrv[i], t.z, f, "impedance");
        expectClose(volumeVelocity(*d, run.out->PFront[i], f), t.cone, f, "cone");
        expectClose(volumeVelocity(*d, run.out->PRear[i], f), t.radiators, f, "radiators");
    }
}

INSTANTIATE_TEST_SUITE_P(
    DriversBoxesRadiators, RadiatorCircuit,
    ::testing::Values(Case{subwoofer10, radiatorBox(0.02, 2, 0.035, 0.04, 22, 6, 0.05)},
                      Case{proWoofer12, radiatorBox(0.08, 1, 0.08, 0.2, 18, 3, 0)},
                      Case{midWoofer65, radiatorBox(0.012, 3, 0.012, 0.01, 35, 12, 0.008)}));

TEST(RadiatorLimit, VeryCompliantRadiatorsTunedAlikeActAsAPort) {
    const auto d = subwoofer10();
    TEinbau port = ventedBox(0.03, 32);
    port.Qk = 1e12;
    TEinbau radiators = radiatorBox(0.03, 2, 0.03, 300, 0.3, 1e6, 0);
    radiators.Ql = port.Ql;
    radiators.Qb = port.Qb;
    radiators.PRmadd = AddedMassFor(radiators, radiators.Vb, 32);
    ASSERT_NEAR(TuningOf(radiators, radiators.Vb).fb, 32, 1e-9);
    const auto grid = logGrid(10, 500, 60);
    const ModelRun a = runDriver(*d, port, *grid), b = runDriver(*d, radiators, *grid);
    ASSERT_EQ(b.message, "Ok");
    for (int i = 0; i < 60; ++i) {
        EXPECT_NEAR(CAbs(b.out->ZDrv[i]) / CAbs(a.out->ZDrv[i]), 1, 1e-3) << (*grid)[i];
        EXPECT_NEAR(CAbs(b.out->PRear[i]) / CAbs(a.out->PRear[i]), 1, 1e-3) << (*grid)[i];
    }
}

TEST(RadiatorTuning, BelowFbConeAndRadiatorsCancelAndAtFbTheConeRestsWhileTheRadiatorsSwing) {
    const auto d = subwoofer10();
    TEinbau e = radiatorBox(0.02, 2, 0.033, 0.03, 20, 5, 0);
    e.Ql = 20;
    e.Qb = 20;
    const double fb = TuningOf(e, e.Vb).fb;
    const auto grid = logGrid(fb / 8, fb * 4, 200);
    const ModelRun run = runDriver(*d, e, *grid);
    ASSERT_EQ(run.message, "Ok");
    int coneMin = -1, radiatorMax = -1;
    const auto excursion = [&](const Curve& p, int i) {
        return CAbs(p[i]) / ((*grid)[i] * (*grid)[i]);
    };
    for (int i = 0; i < 200; ++i) {
        const double f = (*grid)[i];
        if (f < fb / 3) {
            const TComplex cone = run.out->PCone[i], rear = run.out->PRear[i];
            EXPECT_LT(cone.Re * rear.Re + cone.Im * rear.Im, 0) << f; // opposite motion
            EXPECT_LT(CAbs(CAdd(cone, rear)), 0.5 * CAbs(cone)) << f;
        }
        if (f < fb / 2 || f > 1.5 * fb) {
            continue; // the octave around the tuning; further up the cone's mass rules
        }
        if (coneMin < 0 || excursion(run.out->PCone, i) < excursion(run.out->PCone, coneMin)) {
            coneMin = i;
        }
        if (radiatorMax < 0 ||
            excursion(run.out->PRear, i) > excursion(run.out->PRear, radiatorMax)) {
            radiatorMax = i;
        }
    }
    EXPECT_NEAR((*grid)[coneMin] / fb, 1, 0.05);
    // The losses of box and radiators move the radiators' peak a little below the tuning.
    EXPECT_NEAR((*grid)[radiatorMax] / fb, 0.9, 0.1);
}

TEST(RadiatorTuning, AddedMassForATuningStopsTheLosslessConeThere) {
    const auto d = proWoofer12();
    for (double wanted : {25.0, 31.5, 40.0}) {
        TEinbau e = radiatorBox(0.05, 2, 0.05, 0.08, 20, 1e9, 0);
        e.PRmadd = AddedMassFor(e, e.Vb, wanted);
        ASSERT_GT(e.PRmadd, 0) << wanted;
        auto grid = std::make_unique<Grid>();
        (*grid)[0] = wanted;
        (*grid)[1] = 0.9 * wanted;
        const ModelRun run = runDriver(*d, e, *grid);
        ASSERT_EQ(run.message, "Ok");
        EXPECT_LT(CAbs(run.out->PCone[0]), 1e-6 * CAbs(run.out->PCone[1])) << wanted;
    }
}

TEST(RadiatorInput, EveryFaultOfTheRadiatorDataIsNamed) {
    const auto d = subwoofer10();
    const TEinbau good = radiatorBox(0.02, 2, 0.033, 0.03, 20, 5, 0);
    const std::vector<void (*)(TEinbau&)> faults = {
        [](TEinbau& e) { e.PRn = 0; },    [](TEinbau& e) { e.PRn = 9; },
        [](TEinbau& e) { e.PRSd = 0; },   [](TEinbau& e) { e.PRVas = -1; },
        [](TEinbau& e) { e.PRfs = 0; },   [](TEinbau& e) { e.PRQms = 0; },
        [](TEinbau& e) { e.PRxmax = 0; }, [](TEinbau& e) { e.PRmadd = -1e-3; },
    };
    const auto grid = logGrid(20, 200, 10);
    EXPECT_EQ(runDriver(*d, good, *grid).message, "Ok");
    for (std::size_t i = 0; i < faults.size(); ++i) {
        TEinbau e = good;
        faults[i](e);
        EXPECT_EQ(runDriver(*d, e, *grid).message, RadiatorFault) << i;
    }
    TEinbau noQ = good;
    noQ.Qb = 0;
    EXPECT_EQ(runDriver(*d, noQ, *grid).message, "Qb and fb must be > 0. ");
}

} // namespace
} // namespace tavrel
