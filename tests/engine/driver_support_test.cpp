// Enclosure estimate, measurement enclosures and the lookup of measured curves.
#include "driver_test_drivers.h"

#include <gtest/gtest.h>
#include <numbers>

namespace tavrel {
namespace {

using namespace tavrel::testing;

TEinbau dampedBox(int typ, int v, int c, int k) {
    TEinbau e;
    e.Typ = typ;
    e.Vb = 0.03;
    e.Bedv = static_cast<std::int8_t>(v);
    e.Bedc = static_cast<std::int8_t>(c);
    e.Bedk = static_cast<std::int8_t>(k);
    return e;
}

TEST(EstimateEnclosure, VentedBoxFromDampingSettings) {
    const auto c = subwoofer10();
    TEinbau e = dampedBox(EinbauVented, 2, 2, 1);
    EstimateEnclosure(*c, e);
    EXPECT_NEAR(e.vV, 1.0938125, 1e-12);
    EXPECT_NEAR(e.Ql, 10.168414, 1e-6);
    EXPECT_NEAR(e.Qb, 5.0, 1e-12);
    EXPECT_NEAR(e.Qk, 20.0 / 9.0, 1e-12);
    // mb0 = 0.89, raised to 0.25·Sd/Mmd with Mmd = 193.7 g for this driver.
    EXPECT_NEAR(e.mb, 0.9948035, 1e-7);
    EXPECT_NEAR(e.fmb, 860.6455, 1e-3);
    EXPECT_EQ(e.vVf, 1.0);
    EXPECT_EQ(e.Qbf, 9999.0);
    EXPECT_EQ(e.Qkf, 9999.0);
}

TEST(EstimateEnclosure, BandpassFrontChamberAndClosedRear) {
    const auto c = subwoofer10();
    TEinbau e = dampedBox(EinbauBandpass, 1, 0, 3);
    e.Bedvf = 3;
    e.Bedkf = 1;
    EstimateEnclosure(*c, e);
    EXPECT_NEAR(e.vV, 1.036390625, 1e-12); // closed rear: x = 0.85·v + 0.15·c
    EXPECT_NEAR(e.Ql, 17.748197, 1e-6);
    EXPECT_EQ(e.Qb, 9999.0);
    EXPECT_EQ(e.Qk, 9999.0);
    EXPECT_NEAR(e.vVf, 1.1468125, 1e-12);
    EXPECT_NEAR(e.Qbf, 3.2, 1e-12);
    EXPECT_NEAR(e.Qkf, 20.0 / 9.0, 1e-12);
}

TEST(EstimateEnclosure, IntegratedAndIncompleteDrivers) {
    TEinbau e = dampedBox(EinbauIntegrated, 4, 4, 4);
    EstimateEnclosure(*subwoofer10(), e);
    EXPECT_EQ(e.vV, 1.0);
    EXPECT_EQ(e.mb, 1.0);
    EXPECT_EQ(e.Ql, 9999.0);
    EXPECT_EQ(e.Qb, 9999.0);

    TChassis noArea;
    TEinbau closed = dampedBox(EinbauClosed, 0, 0, 0);
    EstimateEnclosure(noArea, closed);
    EXPECT_NEAR(closed.mb, 0.98, 1e-12); // mb0 without a moving mass
    EXPECT_EQ(closed.fmb, 344.0);
}

TEST(EstimateEnclosure, ExplicitInputIsLeftAlone) {
    TEinbau e = dampedBox(EinbauVented, 4, 4, 4);
    e.mbQExpl = true;
    e.Ql = 3;
    e.Qb = 4;
    e.mb = 0.5;
    const TEinbau before = e;
    EstimateEnclosure(*subwoofer10(), e);
    EXPECT_EQ(e, before);
}

TEST(EstimateEnclosure, DampingOutsideItsRangeStaysFinite) {
    // Bedv = −2 would put a zero into Qb's divisor and the air-load limit's.
    TEinbau e = dampedBox(EinbauBandpassBivented, -2, -1, -1);
    e.Bedvf = -2;
    EstimateEnclosure(*subwoofer10(), e);
    for (double value : {e.vV, e.mb, e.Ql, e.Qb, e.Qk, e.vVf, e.Qbf, e.Qkf, e.fmb}) {
        EXPECT_TRUE(std::isfinite(value));
        EXPECT_GT(value, 0.0);
    }
}

TEST(SetMeasurementEnclosure, StandardConditions) {
    struct Row {
        int condition;
        double vb, vV, mb, fmb, ql;
    };
    const Row rows[] = {{1, 1e99, 1.0, 1.0, 1, 99999}, {2, 0.2, 1.1, 0.99, 10, 99999},
                        {3, 0.5, 1.25, 1.0, 400, 8.5}, {4, 0.5, 1.25, 1.0, 600, 8.5},
                        {6, 0.5, 1.25, 1.0, 400, 8.5}, {7, 0.5, 1.25, 1.0, 600, 8.5}};
    for (const Row& row : rows) {
        TEinbau e = ventedBox(0.03, 40);
        e.mbQExpl = false;
        SetMeasurementEnclosure(e, row.condition);
        SCOPED_TRACE(row.condition);
        EXPECT_EQ(e.Typ, EinbauClosed);
        EXPECT_EQ(e.Vb, row.vb);
        EXPECT_EQ(e.vV, row.vV);
        EXPECT_EQ(e.mb, row.mb);
        EXPECT_EQ(e.fmb, row.fmb);
        EXPECT_EQ(e.Ql, row.ql);
        EXPECT_TRUE(e.mbQExpl);
        EXPECT_EQ(e.fb, 40.0); // fields the condition does not name are kept
    }
    TEinbau simulated = ventedBox(0.03, 40);
    const TEinbau before = simulated;
    SetMeasurementEnclosure(simulated, 5);
    EXPECT_EQ(simulated, before);
}

struct Curve3 {
    std::unique_ptr<MeasuredArray> F = std::make_unique<MeasuredArray>();
    std::unique_ptr<MeasuredArray> V = std::make_unique<MeasuredArray>();
};

Curve3 curveOf(std::initializer_list<std::pair<double, double>> points) {
    Curve3 c;
    int i = 0;
    for (const auto& [f, v] : points) {
        (*c.F)[i] = f;
        (*c.V)[i] = v;
        ++i;
    }
    return c;
}

TEST(InterpCurve, InterpolatesAndHoldsTheEndsAlsoAtARepeatedFrequency) {
    const Curve3 c = curveOf({{100, 10}, {200, 20}, {400, 40}});
    EXPECT_EQ(InterpCurve(*c.F, *c.V, 50, 0), 10.0);
    EXPECT_EQ(InterpCurve(*c.F, *c.V, 100, 0), 10.0);
    EXPECT_DOUBLE_EQ(InterpCurve(*c.F, *c.V, 150, 0), 15.0);
    EXPECT_DOUBLE_EQ(InterpCurve(*c.F, *c.V, 300, 0), 30.0);
    EXPECT_EQ(InterpCurve(*c.F, *c.V, 400, 0), 40.0);
    EXPECT_EQ(InterpCurve(*c.F, *c.V, 5000, 0), 40.0);
    const Curve3 repeated = curveOf({{100, 3}, {100, 9}, {200, 20}}); // no division by zero
    EXPECT_EQ(InterpCurve(*repeated.F, *repeated.V, 100, 0), 3.0);
}

TEST(InterpCurve, FullListEndsAtItsLastPoint) {
    Curve3 c;
    c.F->fill(0);
    for (int i = 0; i < MeasuredMaxPoints; ++i) {
        (*c.F)[i] = 10.0 + i;
        (*c.V)[i] = i;
    }
    (*c.F)[MeasuredMaxPoints] = 5000; // the entry after 600 points is not part of the list
    (*c.V)[MeasuredMaxPoints] = -1;
    EXPECT_EQ(InterpCurve(*c.F, *c.V, 4000, 0), 599.0);
    EXPECT_DOUBLE_EQ(InterpCurve(*c.F, *c.V, 20.5, 0), 10.5);
}

TEST(InterpCurve, SmoothingWeighsNearPointsMostAndIgnoresFarOnes) {
    // Relative distances from 1 kHz: 0.2, 0.05, 0, 0.05, 0.1, 0.2.
    const Curve3 c = curveOf({{800, 100}, {950, 0}, {1000, 0}, {1050, 3}, {1100, 50}, {1200, 100}});
    const double wHalf = 0.125 / 0.5 / 0.65; // u = 0.5
    const double wOne = 1.0 / 1.25 / 1.4;    // u = 1
    EXPECT_NEAR(InterpCurve(*c.F, *c.V, 1000, 0.1), 3 * wHalf / (2 * wHalf + wOne), 1e-12);
    EXPECT_NEAR(InterpCurve(*c.F, *c.V, 1000, 0.1), 0.8607, 1e-4);
    // No point close enough: the plain interpolation stays.
    EXPECT_DOUBLE_EQ(InterpCurve(*c.F, *c.V, 1150, 0.01), 75.0);
}

TEST(InterpPhase, JoinsNeighboursAcrossThePiCut) {
    const Curve3 c = curveOf({{100, -3.1}, {200, 3.1}, {300, -3.1}, {400, -0.5}, {500, 0.5}});
    const double mid = InterpPhase(*c.F, *c.V, 150);
    EXPECT_NEAR(std::cos(mid), -1.0, 1e-4);
    EXPECT_NEAR(mid, 3.1416, 1e-3);
    EXPECT_NEAR(std::cos(InterpPhase(*c.F, *c.V, 250)), -1.0, 1e-4);
    EXPECT_NEAR(InterpPhase(*c.F, *c.V, 450), 0.0, 1e-12); // small angles: straight through 0
    EXPECT_EQ(InterpPhase(*c.F, *c.V, 50), -3.1);
    EXPECT_EQ(InterpPhase(*c.F, *c.V, 900), 0.5);
}

} // namespace
} // namespace tavrel
