#include "engine/network.h"
#include "engine/network_topology.h"

#include <cmath>
#include <complex>
#include <gtest/gtest.h>
#include <numbers>

namespace tavrel {
namespace {

using Cx = std::complex<double>;

Cx toCx(TComplex z) {
    return {z.Re, z.Im};
}

constexpr double TwoPi = 2.0 * std::numbers::pi;
constexpr int Points = 40;

// Node numbers used by the circuits below: the amplifier drives "hot" against "ground".
constexpr int Ground = 0, Hot = 1, Mid = 2, Mid2 = 3, Mid3 = 4;

class NetworkJob : public ::testing::Test {
protected:
    void SetUp() override {
        projekt->Option.fMin = 10;
        projekt->Option.fMax = 40000;
        projekt->Option.sz = Points;
        BuildGrid(*projekt);
        for (int amp = 0; amp < MaxAmps; ++amp) {
            ResetWeiche(projekt->Amps[amp].Weiche);
        }
        result->AmpOfChassis.fill(-1);
    }

    double f(int k) const { return projekt->f[k]; }
    TWeiche& net(int amp = 0) { return projekt->Amps[amp].Weiche; }

    /// Puts a part into a slot with explicit nodes; the solver only looks at the nodes.
    TWeichePart& put(int slot, WeichePartType typ, int nod1, int nod2, double value = 1.0,
                     int amp = 0) {
        TWeichePart& part = net(amp)[slot];
        part.typ = typ;
        part.nod1 = nod1;
        part.nod2 = nod2;
        part.value = value;
        return part;
    }
    void putAmp(int slot, int amp = 0, int hot = Hot, int ground = Ground) {
        put(slot, PartAmpOutput, hot, ground, 1.0, amp).verpolt = -1;
    }
    TWeichePart& putDriver(int slot, int d, int nod1, int nod2, int amp = 0) {
        TWeichePart& part = put(slot, PartDriver, nod1, nod2, 1.0, amp);
        part.chassisnr = static_cast<std::int16_t>(d);
        part.verpolt = -1;
        result->AmpOfChassis[d] = amp;
        return part;
    }
    void resistiveDriver(int d, double ohm) {
        for (int k = 0; k < GridSize; ++k) {
            result->ChassisZ[d][k] = {ohm, 0.0};
        }
    }
    std::string run(int amp = 0) { return RunNetworkJob(*projekt, amp, *result, *scratch); }
    Cx u(int d, int k) const { return toCx(result->ChassisU[d][k]); }
    Cx z(int amp, int k) const { return toCx(result->AmpZ[amp][k]); }

    std::unique_ptr<TProjekt> projekt = std::make_unique<TProjekt>();
    std::unique_ptr<TResult> result = MakeResult();
    std::unique_ptr<NetworkScratch> scratch = MakeNetworkScratch();
};

void expectNear(Cx actual, Cx expected, double tolerance) {
    EXPECT_NEAR(actual.real(), expected.real(), tolerance);
    EXPECT_NEAR(actual.imag(), expected.imag(), tolerance);
}

TEST_F(NetworkJob, SingleResistorGivesItsValueAsAmplifierImpedance) {
    putAmp(0);
    put(1, PartResistor, Hot, Ground, 6.8);
    EXPECT_EQ(run(), "Ok");
    for (int k = 0; k < Points; ++k) {
        EXPECT_NEAR(std::abs(z(0, k)), 6.8, 1e-12);
        // The output current is counted into the amplifier, so the sign is opposite.
        EXPECT_NEAR(z(0, k).real(), -6.8, 1e-12);
    }
}

TEST_F(NetworkJob, ResistorDividerGivesTheExactRatio) {
    putAmp(0);
    put(1, PartResistor, Hot, Mid, 3.0);
    putDriver(2, 0, Mid, Ground);
    resistiveDriver(0, 5.0);
    EXPECT_EQ(run(), "Ok");
    for (int k = 0; k < Points; ++k) {
        expectNear(u(0, k), 5.0 / 8.0, 1e-14);
        EXPECT_NEAR(std::abs(z(0, k)), 8.0, 1e-12);
    }
}

TEST_F(NetworkJob, SeriesCapacitorIsFirstOrderHighPass) {
    const double r = 8.0, c = 10e-6;
    const double corner = 1.0 / (TwoPi * r * c);
    projekt->f[0] = corner / 10;
    projekt->f[1] = corner;
    projekt->f[2] = corner * 10;
    projekt->f[3] = 0;
    putAmp(0);
    put(1, PartCapacitor, Hot, Mid, c);
    putDriver(2, 0, Mid, Ground);
    resistiveDriver(0, r);
    EXPECT_EQ(run(), "Ok");
    for (int k = 0; k < 3; ++k) {
        const Cx zc = 1.0 / Cx(0, TwoPi * f(k) * c);
        expectNear(u(0, k), r / (r + zc), 1e-12);
    }
    EXPECT_NEAR(20 * std::log10(std::abs(u(0, 1))), -10 * std::log10(2.0), 1e-9);
    EXPECT_NEAR(std::arg(u(0, 1)), std::numbers::pi / 4, 1e-12); // a high pass leads
}

TEST_F(NetworkJob, SecondOrderLowPassWithLossyInductance) {
    const double l = 1e-3, rl = 0.4, c = 20e-6, r = 6.0;
    putAmp(0);
    put(1, PartInductance, Hot, Mid, l).Rvalue = rl;
    put(2, PartCapacitor, Mid, Ground, c);
    putDriver(3, 0, Mid, Ground);
    resistiveDriver(0, r);
    EXPECT_EQ(run(), "Ok");
    for (int k = 0; k < Points; ++k) {
        const double w = TwoPi * f(k);
        const Cx zp = 1.0 / (1.0 / r + Cx(0, w * c));
        const Cx zl(rl, w * l);
        expectNear(u(0, k), zp / (zp + zl), 1e-12);
        EXPECT_NEAR(std::abs(z(0, k)), std::abs(zl + zp), 1e-9 * std::abs(zl + zp));
    }
}

TEST_F(NetworkJob, BalancedBridgeLeavesTheMiddleDriverSilent) {
    // A Wheatstone bridge is no series-parallel circuit; balanced, its diagonal carries nothing.
    putAmp(0);
    put(1, PartResistor, Hot, Mid, 2.0);
    put(2, PartResistor, Mid, Ground, 4.0);
    put(3, PartResistor, Hot, Mid2, 3.0);
    put(4, PartResistor, Mid2, Ground, 6.0);
    putDriver(5, 0, Mid, Mid2);
    resistiveDriver(0, 8.0);
    put(6, PartResistor, Mid2, Ground, 1e12); // harmless extra to vary the pivots
    EXPECT_EQ(run(), "Ok");
    EXPECT_NEAR(std::abs(u(0, 5)), 0.0, 1e-9);
    // Unbalanced by a third resistor in parallel: compare with the nodal solution.
    net()[6].value = 6.0;
    EXPECT_EQ(run(), "Ok");
    const double g1 = 1 / 2.0, g2 = 1 / 4.0, g3 = 1 / 3.0, g4 = 1 / 6.0 + 1 / 6.0, gd = 1 / 8.0;
    // Nodal equations for V2 (Mid) and V3 (Mid2) with V1 = 1, V0 = 0.
    const double a11 = g1 + g2 + gd, a12 = -gd, a22 = g3 + g4 + gd;
    const double det = a11 * a22 - a12 * a12;
    const double v2 = (g1 * a22 - a12 * g3) / det, v3 = (a11 * g3 - a12 * g1) / det;
    expectNear(u(0, 5), v2 - v3, 1e-12);
}

TEST_F(NetworkJob, ReversedDriverFlipsItsVoltage) {
    putAmp(0);
    put(1, PartCapacitor, Hot, Mid, 22e-6);
    TWeichePart& driver = putDriver(2, 0, Mid, Ground);
    result->ChassisZ[0].fill({6.0, 2.0});
    EXPECT_EQ(run(), "Ok");
    const Curve normal = result->ChassisU[0];
    driver.verpolt = 1;
    EXPECT_EQ(run(), "Ok");
    for (int k = 0; k < Points; ++k) {
        expectNear(u(0, k), -toCx(normal[k]), 1e-14);
    }
    // Toggled back from 1 the editor stores 0, which is normal polarity again.
    driver.verpolt = 0;
    EXPECT_EQ(run(), "Ok");
    expectNear(u(0, 7), toCx(normal[7]), 1e-14);
}

TEST_F(NetworkJob, ReversedAmplifierOutputFlipsEveryDriver) {
    putAmp(0);
    putDriver(1, 0, Hot, Ground);
    resistiveDriver(0, 4.0);
    net()[0].verpolt = 2;
    EXPECT_EQ(run(), "Ok");
    expectNear(u(0, 0), -1.0, 1e-14);
}

class ZeroValueParts : public NetworkJob {
protected:
    /// Runs a divider whose series element sits in slot 1 and returns the driver voltages.
    Curve runDivider() {
        putAmp(0);
        putDriver(2, 0, Mid, Ground);
        put(3, PartResistor, Mid, Ground, 10.0);
        resistiveDriver(0, 4.0);
        EXPECT_EQ(run(), "Ok");
        return result->ChassisU[0];
    }
};

TEST_F(ZeroValueParts, ZeroOhmAndLosslessZeroHenryAreWiresZeroFaradIsOpen) {
    put(1, PartWire, Hot, Mid);
    const Curve wire = runDivider();
    put(1, PartResistor, Hot, Mid, 0.0);
    EXPECT_EQ(runDivider(), wire);
    put(1, PartInductance, Hot, Mid, 0.0).Rvalue = 0.0;
    EXPECT_EQ(runDivider(), wire);
    expectNear(toCx(wire[5]), 1.0, 1e-14);
    // With winding resistance a 0 H inductance is a resistor, not a wire.
    put(1, PartInductance, Hot, Mid, 0.0).Rvalue = 4.0;
    const double load = 1.0 / (1.0 / 4.0 + 1.0 / 10.0);
    expectNear(toCx(runDivider()[5]), load / (load + 4.0), 1e-14);
    put(1, PartResistor, Hot, Mid, 2.0);
    put(4, PartDriver, Mid, Mid3).chassisnr = 1; // only through the capacitor below
    put(5, PartCapacitor, Mid3, Ground, 0.0);
    result->AmpOfChassis[1] = 0;
    resistiveDriver(1, 8.0);
    const Curve withZero = runDivider();
    EXPECT_EQ(result->ChassisU[1][3], (TComplex{0.0, 0.0}));
    net()[5].typ = PartNone;
    net()[4].typ = PartNone;
    const Curve without = runDivider();
    for (int k = 0; k < Points; ++k) {
        expectNear(toCx(withZero[k]), toCx(without[k]), 1e-15);
    }
}

TEST_F(NetworkJob, EmptyNetworkLeavesResultsUntouched) {
    result->AmpZ[2].fill({7.0, 7.0});
    result->ChassisU[0].fill({3.0, 3.0});
    result->AmpOfChassis[0] = 2;
    net(2)[4].value = 0.0; // values alone make no part
    EXPECT_EQ(run(2), "Ok");
    EXPECT_EQ(result->AmpZ[2][0], (TComplex{7.0, 7.0}));
    EXPECT_EQ(result->ChassisU[0][0], (TComplex{3.0, 3.0}));
}

TEST_F(NetworkJob, NetworkWithoutSourceIsOpenAndSilent) {
    put(1, PartResistor, Hot, Mid, 2.0);
    putDriver(2, 0, Mid, Ground);
    resistiveDriver(0, 8.0);
    result->ChassisU[0].fill({3.0, 3.0});
    EXPECT_EQ(run(), "Ok");
    for (int k = 0; k < Points; ++k) {
        EXPECT_EQ(result->AmpZ[0][k], (TComplex{1e100, 0.0}));
        EXPECT_EQ(std::abs(u(0, k)), 0.0);
    }
}

TEST_F(NetworkJob, ShortedSourceCannotBeCalculated) {
    putAmp(0, 1);
    put(1, PartWire, Hot, Ground, 1.0, 1);
    putDriver(2, 0, Hot, Ground, 1);
    resistiveDriver(0, 8.0);
    EXPECT_EQ(run(1), "Error: Crossover network at amp 2 cannot be calculated .");
    EXPECT_EQ(result->AmpZ[1][0], (TComplex{}));
    // A source shorted by a 0 Ω resistor is the same fault.
    net(1)[1].typ = PartResistor;
    net(1)[1].value = 0;
    EXPECT_EQ(run(1), "Error: Crossover network at amp 2 cannot be calculated .");
}

TEST_F(NetworkJob, NonFiniteImpedanceOrOverflowingPartStopsAtThatPoint) {
    putAmp(0);
    put(1, PartResistor, Hot, Mid, 2.0);
    putDriver(2, 0, Mid, Ground);
    resistiveDriver(0, 8.0);
    result->ChassisZ[0][5] = {std::nan(""), 0.0};
    result->AmpZ[0].fill({-1.0, -1.0});
    EXPECT_EQ(run(), "Error: Crossover network at amp 1 cannot be calculated .");
    expectNear(u(0, 4), 0.8, 1e-14);
    EXPECT_NEAR(std::abs(z(0, 4)), 10.0, 1e-12);
    EXPECT_EQ(result->AmpZ[0][5], (TComplex{-1.0, -1.0}));
    EXPECT_EQ(result->ChassisU[0][5], (TComplex{}));
    resistiveDriver(0, 8.0);
    put(1, PartCapacitor, Hot, Mid, 1e-320); // 1/(ωC) overflows
    EXPECT_EQ(run(), "Error: Crossover network at amp 1 cannot be calculated .");
}

TEST_F(NetworkJob, DriverOutsideTheDriverSlotsIsAnErrorNotACrash) {
    putAmp(0);
    putDriver(1, 0, Hot, Ground);
    resistiveDriver(0, 8.0);
    for (const std::int16_t bad : {std::int16_t{9}, std::int16_t{-1}, std::int16_t{32000}}) {
        net()[1].chassisnr = bad;
        EXPECT_EQ(run(), "Error: Crossover network at amp 1 cannot be calculated .");
    }
    EXPECT_EQ(RunNetworkJob(*projekt, 6, *result, *scratch),
              "Error: Crossover network at amp 7 cannot be calculated .");
    EXPECT_EQ(RunNetworkJob(*projekt, -1, *result, *scratch),
              "Error: Crossover network at amp 0 cannot be calculated .");
}

TEST_F(NetworkJob, FreeWiresToAnyNodeNumberAreSafe) {
    putAmp(0);
    put(1, PartResistor, Hot, Mid, 2.0);
    putDriver(2, 0, Mid2, Ground);
    resistiveDriver(0, 8.0);
    put(WeicheFirstFreeWire, PartWire, Mid, Mid2); // the free wire completes the circuit
    put(WeicheFirstFreeWire + 1, PartWire, 99, Mid);
    put(WeicheFirstFreeWire + 2, PartWire, Hot, 2'000'000'000);
    put(WeicheFirstFreeWire + 3, PartWire, -7, -7);
    put(WeicheFirstFreeWire + 4, PartWire, -3, 1000);
    EXPECT_EQ(run(), "Ok");
    expectNear(u(0, 3), 0.8, 1e-14);
    // Parts on stray node numbers form islands of their own and stay silent.
    put(WeicheFirstFreeWire + 5, PartResistor, -5, 150, 3.0);
    putDriver(WeicheFirstFreeWire + 6, 1, 150, -5);
    resistiveDriver(1, 4.0);
    EXPECT_EQ(run(), "Ok");
    expectNear(u(0, 3), 0.8, 1e-14);
    EXPECT_EQ(std::abs(u(1, 3)), 0.0);
}

TEST_F(NetworkJob, SeparateCircuitsEachWithOwnSourceAreSolvedIndependently) {
    putAmp(0);
    putDriver(1, 0, Hot, Ground);
    resistiveDriver(0, 8.0);
    put(2, PartAmpOutput, 10, 11).verpolt = -1;
    put(3, PartResistor, 10, 12, 4.0);
    putDriver(4, 1, 12, 11);
    resistiveDriver(1, 4.0);
    EXPECT_EQ(run(), "Ok");
    expectNear(u(0, 0), 1.0, 1e-14);
    expectNear(u(1, 0), 0.5, 1e-14);
    // Two outputs combine like parallel admittances: 8 Ω || 8 Ω.
    EXPECT_NEAR(std::abs(z(0, 0)), 4.0, 1e-12);
}

TEST_F(NetworkJob, ParallelOutputsShareTheLoad) {
    putAmp(0);
    putAmp(1);
    put(2, PartResistor, Hot, Mid, 2.0);
    putDriver(3, 0, Mid, Ground);
    resistiveDriver(0, 6.0);
    EXPECT_EQ(run(), "Ok");
    for (int k = 0; k < Points; ++k) {
        EXPECT_NEAR(std::abs(z(0, k)), 8.0, 1e-9);
        expectNear(u(0, k), 0.75, 1e-12);
    }
}

TEST_F(NetworkJob, DriverOwnedByAnotherAmplifierIsNotOverwritten) {
    putAmp(0);
    putDriver(1, 0, Hot, Ground);
    resistiveDriver(0, 8.0);
    result->AmpOfChassis[0] = 3; // the driver check gave it to amplifier 4
    result->ChassisU[0].fill({0.25, 0.0});
    EXPECT_EQ(run(), "Ok");
    EXPECT_EQ(result->ChassisU[0][0], (TComplex{0.25, 0.0}));
    EXPECT_NEAR(std::abs(z(0, 0)), 8.0, 1e-12);
}

TEST_F(NetworkJob, GridWithoutEndMarkStopsAtTheLastEntry) {
    putAmp(0);
    put(1, PartResistor, Hot, Ground, 5.0);
    projekt->f.fill(1000.0);
    EXPECT_EQ(run(), "Ok");
    EXPECT_NEAR(std::abs(z(0, GridSize - 1)), 5.0, 1e-12);
}

TEST(NetworkTopology, WiresMergeAndNodesAreCompacted) {
    TWeiche weiche;
    ResetWeiche(weiche);
    auto set = [&](int slot, WeichePartType typ, int n1, int n2) {
        weiche[slot].typ = typ;
        weiche[slot].nod1 = n1;
        weiche[slot].nod2 = n2;
    };
    set(0, PartAmpOutput, 50, 0);
    set(1, PartWire, 50, 60);
    set(2, PartResistor, 60, 70);
    set(3, PartCapacitor, 70, 0);
    weiche[3].value = 0; // not connected: node 70 is then used by the resistor alone
    set(4, PartDriver, 70, 0);
    const NetworkTopology t = BuildNetworkTopology(weiche);
    ASSERT_EQ(t.branches.size(), 3u);
    EXPECT_EQ(t.nodeCount, 3);
    EXPECT_EQ(t.branches[0].slot, 0);
    EXPECT_EQ(t.branches[0].A, 1); // 50 is the first high number named, so it becomes 1
    EXPECT_EQ(t.branches[1].A, 1); // 60 merged into 50
    EXPECT_EQ(t.branches[1].B, 2);
    EXPECT_EQ(t.branches[1].nodeA, 60); // the stored numbers are kept for reference
    EXPECT_EQ(t.referenceNodes, std::vector<int>{2});
    EXPECT_FALSE(HasShortedSource(t));
}

} // namespace
} // namespace tavrel
