// The passive radiator page: its warnings, and the enclosure it hands to a driver.
#include "calculators/radiator_design.h"
#include "engine/driver_model.h"
#include "engine/passive_radiator.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace tavrel {
namespace {

bool mentions(const Lines& lines, const std::string& text) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.find(text) != std::string::npos; });
}

struct Warning {
    void (*change)(RadiatorInputs&);
    const char* text; ///< expected in the lines; nullptr: no warning at all
    bool usable;      ///< "Use for driver N" takes the result
};

class RadiatorPage : public ::testing::TestWithParam<Warning> {};

TEST_P(RadiatorPage, WarnsWhereTheRadiatorsFallShort) {
    RadiatorInputs in;
    GetParam().change(in);
    const Lines lines = RadiatorDesign(in);
    if (GetParam().text == nullptr) {
        EXPECT_FALSE(mentions(lines, "Warning")) << lines.front();
    } else {
        EXPECT_TRUE(mentions(lines, GetParam().text)) << lines.front();
    }
    TChassis driver;
    TEinbau einbau;
    EXPECT_EQ(UseRadiatorsForEnclosure(in, driver, einbau), GetParam().usable);
    EXPECT_EQ(einbau.Typ, GetParam().usable ? EinbauPassiveRadiator : EinbauIntegrated);
}

INSTANTIATE_TEST_SUITE_P(Inputs, RadiatorPage,
                         ::testing::Values(Warning{[](RadiatorInputs&) {}, nullptr, true},
                                           Warning{[](RadiatorInputs& in) { in.fb = "80"; },
                                                   "needed mass is negative", false},
                                           Warning{[](RadiatorInputs& in) {
                                                       in.PRn = 1;
                                                       in.PRxmax = "5";
                                                   },
                                                   "they reach their limit first", true},
                                           Warning{[](RadiatorInputs& in) { in.PRQms = "0"; },
                                                   "Data incomplete.", false},
                                           Warning{[](RadiatorInputs& in) { in.PRmadd = "-5"; },
                                                   "Data incomplete.", false}));

TEST(RadiatorUse, TunesTheDriversEnclosureWithItsOwnDampingToTheWantedFb) {
    RadiatorInputs in;
    in.fb = "27,5";
    TChassis driver;
    driver.fs = 37.8;
    driver.Vas = 0.01523;
    driver.Amem = 0.0346;
    TEinbau einbau;
    einbau.Bedv = 4; // stuffed: an acoustic volume larger than the page's 20 l
    ASSERT_TRUE(UseRadiatorsForEnclosure(in, driver, einbau));
    EXPECT_GT(einbau.vV, 1.1);
    EXPECT_NEAR(TuningOf(einbau, einbau.Vb * einbau.vV).fb, 27.5, 1e-9);
    EXPECT_EQ(einbau.PRn, 2);
    EXPECT_DOUBLE_EQ(einbau.PRxmax, 0.015);
}

} // namespace
} // namespace tavrel
