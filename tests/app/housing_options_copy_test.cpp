// The common outer housing conversion, the view options' rules and the driver copy.
#include "app/common_housing.h"
#include "app/driver_copy.h"
#include "app/view_options.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>
#include <memory>

namespace tavrel {
namespace {

constexpr TGemGeh Box{1.0, 0.4, 0.3, 0.01, 0.02, 0.03, 0.04}; // h, b, t, fasl, fasr, faso, fasu

struct HousingCase {
    int direction, directionr;
    double b, h, e, f, g, i;
    HousingPoint driver, vent;
};

class HousingConversion : public ::testing::TestWithParam<HousingCase> {};

// Driver at a = 0.2, c = 0.1 and vent at ar = 0.05, cr = 0.15 on their sides.
TEST_P(HousingConversion, PlacesDriverAndVentOnTheirSides) {
    const HousingCase& want = GetParam();
    const HousingPlace place{true, want.direction, want.directionr, 0.2, 0.1, 0.05, 0.15};
    TSchallwand baffle;
    baffle.usegemgeh = false;
    baffle.beugl = false;
    baffle.d = 0.17;
    ApplyHousingPlace(baffle, Box, place);
    EXPECT_TRUE(baffle.usegemgeh && baffle.beugl && baffle.beugr && baffle.beugo && baffle.beugu);
    EXPECT_EQ(baffle.d, 0.17);
    const double got[] = {baffle.b, baffle.h, baffle.e, baffle.f, baffle.g, baffle.i};
    const double expected[] = {want.b, want.h, want.e, want.f, want.g, want.i};
    for (int n = 0; n < 6; ++n) {
        EXPECT_DOUBLE_EQ(got[n], expected[n]) << "size or chamfer " << n;
    }
    const auto near = [](HousingPoint a, HousingPoint b) {
        return std::abs(a.hor - b.hor) + std::abs(a.vert - b.vert) + std::abs(a.stra - b.stra) <
               1e-12;
    };
    EXPECT_TRUE(near({baffle.hor, baffle.vert, baffle.stra}, want.driver));
    EXPECT_TRUE(near({baffle.horr, baffle.vertr, baffle.strar}, want.vent));
    const HousingPlace back = HousingPlaceOf(baffle, Box);
    EXPECT_EQ(back.direction, place.direction);
    EXPECT_EQ(back.directionr, place.directionr);
    EXPECT_NEAR(back.a, place.a, 1e-12);
    EXPECT_NEAR(back.c, place.c, 1e-12);
    EXPECT_NEAR(back.ar, place.ar, 1e-12);
    EXPECT_NEAR(back.cr, place.cr, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    AllSides, HousingConversion,
    ::testing::Values(HousingCase{0, 0, .4, 1, .01, .02, .03, .04, {-.1, -.3, 0}, {-.05, -.45, 0}},
                      HousingCase{0, 1, .4, 1, .01, .02, .03, .04, {-.1, -.3, 0}, {.05, -.45, -.3}},
                      HousingCase{1, 0, .4, 1, 0, 0, 0, 0, {.1, -.3, -.3}, {.05, -.45, -.3}},
                      HousingCase{1, 1, .4, 1, 0, 0, 0, 0, {.1, -.3, -.3}, {-.05, -.45, 0}},
                      HousingCase{2, 0, .3, 1, 0, .01, 0, 0, {-.2, -.3, -.2}, {-.2, -.45, -.15}},
                      HousingCase{2, 1, .3, 1, 0, .01, 0, 0, {-.2, -.3, -.2}, {.2, -.45, -.15}},
                      HousingCase{3, 0, .3, 1, .02, 0, 0, 0, {.2, -.3, -.1}, {.2, -.45, -.15}},
                      HousingCase{3, 1, .3, 1, .02, 0, 0, 0, {.2, -.3, -.1}, {-.2, -.45, -.15}},
                      HousingCase{4, 0, .4, .3, 0, 0, 0, .03, {-.1, .5, -.2}, {-.05, .5, -.05}},
                      HousingCase{4, 1, .4, .3, 0, 0, 0, .03, {-.1, .5, -.2}, {-.05, -.5, -.25}},
                      HousingCase{5, 0, .4, .3, 0, 0, .04, 0, {-.1, -.5, -.1}, {-.05, -.5, -.25}},
                      HousingCase{5, 1, .4, .3, 0, 0, .04, 0, {-.1, -.5, -.1}, {-.05, .5, -.05}}));

TEST(CommonHousing, WorkedPlacesAndUnusedDrivers) {
    const TGemGeh cube{0.3, 0.3, 0.3, 0, 0, 0, 0};
    EXPECT_EQ(PointOnSide(cube, 0, 0.15, 0.15), (HousingPoint{0, 0, 0}));
    const HousingPoint left = PointOnSide(cube, 2, 0.15, 0.05);
    EXPECT_DOUBLE_EQ(left.stra, -0.25);
    EXPECT_DOUBLE_EQ(left.hor, -0.15);

    auto project = std::make_unique<TProjekt>();
    project->Schallwand[1].b = 0.77;
    std::array<HousingPlace, MaxChassis> places{};
    places[0] = {true, 0, 0, 0.15, 0.15, 0, 0};
    ApplyCommonHousing(*project, cube, places);
    EXPECT_EQ(project->GemGeh, cube);
    EXPECT_EQ(project->Schallwand[0].b, 0.3);
    EXPECT_FALSE(project->Schallwand[1].usegemgeh);
    EXPECT_EQ(project->Schallwand[1].b, 0.77);

    TSchallwand outside;
    outside.b = 0.5;
    ApplyHousingPlace(outside, cube, {true, 7, 0, 0.1, 0.1, 0, 0});
    EXPECT_EQ(outside.direction, 7);
    EXPECT_EQ(outside.b, 0.5);
}

TEST(ViewOptions, ScalesAreReplacedSwappedAndRestored) {
    TOptionBlock option;
    ApplyViewScales(option, {"20000", "20", "", "1e999", "0"});
    EXPECT_EQ(option.AfMin, 20);
    EXPECT_EQ(option.AfMax, 20000);
    EXPECT_EQ(option.dBMin, 50);
    EXPECT_EQ(option.dBMax, 112);
    EXPECT_EQ(option.ImpMax, 50);
    ApplyViewScales(option, {"-5", "abc", "120", "60", "nan"});
    EXPECT_EQ(option.AfMin, 20);
    EXPECT_EQ(option.AfMax, 20000);
    EXPECT_EQ(option.dBMin, 60);
    EXPECT_EQ(option.dBMax, 120);

    option.ColorSetAmps[0] = 0x123456;
    option.ColorSetChassis[9] = 0xABCDEF;
    option.sz = 250;
    RestoreViewDefaults(option);
    EXPECT_EQ(option.ImpMax, 70);
    EXPECT_EQ(option.dBMin, 40);
    EXPECT_EQ(option.ColorSetAmps[0], 0x000080u);
    EXPECT_EQ(option.ColorSetChassis[9], 0xABCDEFu);
    EXPECT_EQ(option.sz, 250);
    EXPECT_EQ(ViewScalesOf(option).AfMax, "20000");
}

TEST(ViewOptions, ProgramWideCopyIsStoredAndDropped) {
    test::ScratchDir dir{"files"};
    TSettings settings;
    settings.ProgramDir = dir.path().string();
    LoadSettings(settings);
    TOptionBlock option;
    option.ImpMax = 33;
    option.ColorSetRichtungen[9] = 0x010203;
    ASSERT_TRUE(StoreProgramWideOptions(settings, true, option).ok);
    TSettings reread;
    reread.ProgramDir = dir.path().string();
    LoadSettings(reread);
    EXPECT_TRUE(reread.UseOption);
    EXPECT_EQ(reread.Option.ImpMax, 33);
    EXPECT_EQ(reread.Option.ColorSetRichtungen[9], 0x010203u);
    ASSERT_TRUE(StoreProgramWideOptions(reread, false, option).ok);
    LoadSettings(settings);
    EXPECT_FALSE(settings.UseOption);
}

class DriverCopy : public ::testing::Test {
protected:
    void SetUp() override {
        for (int d = 0; d < 2; ++d) {
            project->Chassis[d].Name = d == 0 ? "Woofer" : "Tweeter";
            project->Einbau[d].Vb = 0.01 * (d + 1);
            project->Schallwand[d].d = 0.1 * (d + 1);
            project->Schallwand[d].b = 0.3 * (d + 1);
        }
    }
    std::unique_ptr<TProjekt> project = std::make_unique<TProjekt>();
};

TEST_F(DriverCopy, CopyTakesTheDiameterAndOnlyWhatIsChosen) {
    const auto before = std::make_unique<TProjekt>(*project);
    CopyDriverSlot(*project, 0, 1, {});
    EXPECT_EQ(project->Chassis[1], before->Chassis[0]);
    EXPECT_EQ(project->Schallwand[1].d, 0.1);
    EXPECT_EQ(project->Schallwand[1].b, 0.6);
    EXPECT_EQ(project->Einbau[1], before->Einbau[1]);
    CopyDriverSlot(*project, 0, 1, {true, true});
    EXPECT_EQ(project->Einbau[1], before->Einbau[0]);
    EXPECT_EQ(project->Schallwand[1], before->Schallwand[0]);
    EXPECT_EQ(project->Chassis[0], before->Chassis[0]);
    EXPECT_EQ(DriverSlotText(*project, 1), "2: Woofer");
}

TEST_F(DriverCopy, ExchangeTwiceRestoresAndSwapsOnlyWhatIsChosen) {
    const auto before = std::make_unique<TProjekt>(*project);
    ExchangeDriverSlots(*project, 0, 1, {true, false});
    EXPECT_EQ(project->Chassis[0].Name.str(), "Tweeter");
    EXPECT_EQ(project->Einbau[0], before->Einbau[1]);
    EXPECT_EQ(project->Schallwand[0], before->Schallwand[0]); // d stays with the slot
    ExchangeDriverSlots(*project, 0, 1, {true, false});
    EXPECT_EQ(*project, *before);
    CopyDriverSlot(*project, 1, 1, {true, true});
    EXPECT_EQ(*project, *before);
}

} // namespace
} // namespace tavrel
