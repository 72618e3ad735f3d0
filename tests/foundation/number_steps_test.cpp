// Wheel steps of number fields: percent steps, the 1/24-octave frequency grid, levels in dB.
#include "foundation/number_steps.h"

#include <cmath>
#include <gtest/gtest.h>

namespace tavrel {
namespace {

struct FrequencyCase {
    double f;
    int notches;
    bool fine;
    double expected;
};

class FrequencyStep : public ::testing::TestWithParam<FrequencyCase> {};

TEST_P(FrequencyStep, MovesAlongTheGrid) {
    const FrequencyCase& c = GetParam();
    EXPECT_NEAR(StepFrequency(c.f, c.notches, c.fine), c.expected, c.expected * 1e-9);
}

const double Step = std::exp2(1.0 / 24);

INSTANTIATE_TEST_SUITE_P(
    Table, FrequencyStep,
    ::testing::Values(FrequencyCase{1000, 1, false, 1000 * Step},
                      FrequencyCase{1000, -24, false, 500},
                      FrequencyCase{1010, 1, false, 1000 * Step}, // off the grid: the next point up
                      FrequencyCase{1010, -1, false, 1000},
                      FrequencyCase{1000 * Step * 1.0001, 1, false, 1000 * Step* Step}, // rounded
                      FrequencyCase{1000, 2, true, 1000 * 1.001 * 1.001},
                      FrequencyCase{0, 1, false, 0}));

TEST(NumberSteps, PercentAndLevelSteps) {
    EXPECT_DOUBLE_EQ(StepPercent(20, 1, false), 20.2);
    EXPECT_DOUBLE_EQ(StepPercent(20, -1, true), 20 / 1.001);
    EXPECT_NEAR(std::pow(10, StepLevelDb(0, 3, false) / 20), std::pow(1.01, 3), 1e-12);
    EXPECT_NEAR(std::pow(10, StepLevelDb(-6, -1, true) / 20), std::pow(10, -0.3) / 1.001, 1e-12);
}

} // namespace
} // namespace tavrel
