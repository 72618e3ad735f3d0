// The crossover, divider and impedance correction calculators on their worked values.
#include "calculators/impedance_correction.h"
#include "calculators/standard_crossovers.h"
#include "calculators/voltage_divider.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace tavrel {
namespace {

TEST(StandardCrossovers, FirstAndSecondOrderAt1kHzAnd8Ohm) {
    const auto memos = StandardCrossovers(CrossoverInputs{});
    EXPECT_EQ(memos[0], (Lines{"Butterworth:", "L = 1,273 mH"}));
    EXPECT_EQ(memos[1], (Lines{"Butterworth:", "C = 19,89 \xB5"
                                               "F"}));
    // Linkwitz: √2 times the Butterworth inductance, 1/√2 times its capacitance.
    EXPECT_EQ(memos[2], (Lines{"Butterworth (Q=0.707):", "L1 = 1,801 mH",
                               "C1 = 14,07 \xB5"
                               "F",
                               "Linkwitz (Q=0.5):", "L1 = 2,546 mH",
                               "C1 = 9,947 \xB5"
                               "F"}));
    EXPECT_EQ(memos[5], (Lines{"Butterworth:", "L3 = 0,955 mH",
                               "C2 = 13,26 \xB5"
                               "F",
                               "C3 = 39,79 \xB5"
                               "F"}));
}

TEST(StandardCrossovers, FourthOrderFactorTables) {
    // ω = √1e9 and Z = √1e3 make Z/ω one millihenry and 1/(Z·ω) one microfarad.
    CrossoverInputs in{"5032.921210448704", "31.62277660168379", "31.62277660168379"};
    const auto memos = StandardCrossovers(in);
    EXPECT_EQ(memos[6], (Lines{"Butterworth:", "L1 = 1,531 mH; L2 = 1,083 mH",
                               "C1 = 1,577 \xB5"
                               "F; C2 = 0,383 \xB5"
                               "F",
                               "Linkwitz-Riley:", "L1 = 1,886 mH; L2 = 0,943 mH",
                               "C1 = 1,591 \xB5"
                               "F; C2 = 0,354 \xB5"
                               "F"}));
    EXPECT_EQ(memos[7], (Lines{"Butterworth:", "L3 = 0,634 mH; L4 = 2,613 mH",
                               "C3 = 0,653 \xB5"
                               "F; C4 = 0,924 \xB5"
                               "F",
                               "Linkwitz-Riley:", "L3 = 0,629 mH; L4 = 2,828 mH",
                               "C3 = 0,53 \xB5"
                               "F; C4 = 1,061 \xB5"
                               "F"}));
}

TEST(StandardCrossovers, NoFrequencyLeavesAllMemosEmpty) {
    for (const char* fT : {"0", "", "-100"}) {
        const auto memos = StandardCrossovers(CrossoverInputs{fT, "8", "8"});
        EXPECT_TRUE(std::all_of(memos.begin(), memos.end(), [](const Lines& m) {
            return m.empty();
        })) << fT;
    }
}

TEST(VoltageDivider, ExactValuesForMinus3dBAt8Ohm) {
    const Lines lines = DividerByLevel(DividerLevelInputs{});
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 6),
              (Lines{"dB wish = -3 dB", "Exact values according to input:", "R1 = 2,3364 ohm",
                     "R2 = 19,392 ohm", "", "Suggestions with commonly available parts:"}));
    EXPECT_GE(lines.size() - 6, 5u);
}

TEST(VoltageDivider, OpenAndNegativeR2) {
    EXPECT_EQ(DividerByLevel(DividerLevelInputs{"0", "8", "8", true})[3], "R2 = open");
    const char* warning = "Warning: Impedance not reachable, therefor R2<0!";
    const Lines careless = DividerByLevel(DividerLevelInputs{"-3 dB", "20", "8", true});
    const Lines careful = DividerByLevel(DividerLevelInputs{"-3 dB", "20", "8", false});
    EXPECT_EQ(std::count(careless.begin(), careless.end(), warning), 0);
    EXPECT_EQ(careful[4], warning);
}

TEST(VoltageDivider, SuggestionWithOpenR2AndImpedanceWindow) {
    const Lines lines = DividerByLevel(DividerLevelInputs{"-1 dB", "8", "8", true});
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "R1 = 1 ohm; R2 = leave open results in -1,02 dB reduction at "
                        "impedance of 9 ohm."),
              lines.end());
    // Caring about the impedance: every suggestion lies inside the widest window searched.
    const Lines careful = DividerByLevel(DividerLevelInputs{"-6 dB", "8", "8", false});
    EXPECT_GE(careful.size(), 6u + 5u);
    EXPECT_EQ(careful.size(), std::set<std::string>(careful.begin(), careful.end()).size());
    EXPECT_TRUE(DividerByLevel(DividerLevelInputs{"-3 dB", "0", "8", false}) ==
                Lines{"dB wish = -3 dB"});
}

TEST(VoltageDivider, GivenParts) {
    EXPECT_EQ(DividerByParts(DividerPartsInputs{}),
              (Lines{"level reduction: -4,07 dB", "Impedance: 5,876 ohm"}));
    EXPECT_TRUE(DividerByParts(DividerPartsInputs{"2.2", "", "8"}).empty());
}

TEST(ImpedanceCorrection, NetworksForDefaults) {
    const CorrectionLines lines = ImpedanceCorrection(CorrectionInputs{});
    EXPECT_EQ(lines.inductance, (Lines{"R = 6,8 ohm", "C = 17,3 \xB5"
                                                      "F"}));
    EXPECT_EQ(lines.resonance, (Lines{"R = 7,771 ohm", "L = 6,559 mH",
                                      "C = 886,6 \xB5"
                                      "F"}));
    EXPECT_EQ(lines.combined, (Lines{"R1 = 6,8 ohm", "R2 = 0,971 ohm", "L  = 6,559 mH",
                                     "C1 = 17,3 \xB5"
                                     "F",
                                     "C2 = 886,6 \xB5"
                                     "F"}));
    CorrectionInputs noLe;
    noLe.RLC_Le = "0";
    const CorrectionLines partial = ImpedanceCorrection(noLe);
    EXPECT_TRUE(partial.inductance.empty());
    EXPECT_TRUE(partial.combined.empty());
    EXPECT_EQ(partial.resonance, lines.resonance);
}

} // namespace
} // namespace tavrel
