// Stepping parts through the tuning series, fine and series-resistance steps, the limits.
#include "editor/part_tuning.h"
#include "optimizer/e_series.h"

#include <gtest/gtest.h>

namespace tavrel {
namespace {

struct StepCase {
    int typ;
    double value; ///< record units
    int notches;
    TuneMode mode;
    int series; ///< values per decade
    double expected;
};

class TuneStep : public ::testing::TestWithParam<StepCase> {};

TEST_P(TuneStep, LandsOnTheExpectedValue) {
    const StepCase& c = GetParam();
    EXPECT_NEAR(TunedValue(c.value, c.typ, c.notches, c.mode, SeriesStepOf(c.series)), c.expected,
                c.expected * 1e-9);
}

constexpr auto S = TuneMode::Series;
constexpr auto F = TuneMode::Fine;

INSTANTIATE_TEST_SUITE_P(
    Table, TuneStep,
    ::testing::Values(
        // decade borders, both ways
        StepCase{PartResistor, 8.2, 1, S, 12, 10.0}, StepCase{PartResistor, 10.0, 1, S, 12, 12.0},
        StepCase{PartResistor, 8.2, 2, S, 12, 12.0}, StepCase{PartResistor, 1.0, -1, S, 12, 0.82},
        StepCase{PartResistor, 10.0, -1, S, 12, 8.2}, StepCase{PartResistor, 9.1, 1, S, 24, 10.0},
        StepCase{PartResistor, 1.0, -1, S, 6, 0.68},
        // capacitors and inductances step in their field units (µF, mH)
        StepCase{PartCapacitor, 8.2e-6, 1, S, 12, 10e-6},
        StepCase{PartInductance, 0.47e-3, -1, S, 6, 0.33e-3},
        // off the series: the nearest series value in the wheel's direction
        StepCase{PartResistor, 5.0, 1, S, 12, 5.6}, StepCase{PartResistor, 5.0, -1, S, 12, 4.7},
        StepCase{PartCapacitor, 9.9e-6, 1, S, 12, 10e-6},
        StepCase{PartCapacitor, 10.1e-6, -1, S, 12, 10e-6},
        // limits of the part editor's field
        StepCase{PartResistor, 82000.0, 1, S, 12, 99999.0},
        StepCase{PartResistor, 0.012, -1, S, 12, 0.01},
        StepCase{PartResistor, 0.0, 1, S, 12, 0.012},
        // fine steps, off the series
        StepCase{PartResistor, 10.0, 1, F, 12, 10.1},
        StepCase{PartResistor, 10.0, -2, F, 12, 10.0 / 1.0201},
        StepCase{PartInductance, 0.4, 1, TuneMode::SeriesResistance, 12, 0.42}));

TEST(TunePart, ChangesOnlyTheSteppedFieldAndReportsLimits) {
    TWeichePart coil{};
    coil.typ = PartInductance;
    coil.value = 1e-3;
    coil.Rvalue = 0.4;
    EXPECT_TRUE(TunePart(coil, 1, TuneMode::SeriesResistance, 2));
    EXPECT_DOUBLE_EQ(coil.Rvalue, 0.42);
    EXPECT_DOUBLE_EQ(coil.value, 1e-3);
    TWeichePart resistor{};
    resistor.typ = PartResistor;
    resistor.value = TuneFieldMax;
    EXPECT_FALSE(TunePart(resistor, 1, TuneMode::Series, 2));            // at the upper limit
    EXPECT_FALSE(TunePart(resistor, -1, TuneMode::SeriesResistance, 2)); // no coil
    TWeichePart wire{};
    wire.typ = PartWire;
    EXPECT_FALSE(TunePart(wire, 1, TuneMode::Series, 2));
}

TEST(PartName, CountsEachKindInSlotOrder) {
    TWeiche weiche{};
    weiche[3].typ = PartCapacitor;
    weiche[5].typ = PartResistor;
    weiche[90].typ = PartCapacitor;
    weiche[91].typ = PartWire;
    EXPECT_EQ(PartName(weiche, 3), "C1");
    EXPECT_EQ(PartName(weiche, 90), "C2");
    EXPECT_EQ(PartName(weiche, 5), "R1");
    EXPECT_EQ(PartName(weiche, 91), "");
    EXPECT_EQ(TuneUndoText(PartName(weiche, 90)), "Tune C2");
}

} // namespace
} // namespace tavrel
