// The schematic's geometry, click actions, label texts and node dots.
#include "editor/click_actions.h"
#include "editor/free_wires.h"
#include "editor/network_checks.h"
#include "editor/schematic_drawing.h"
#include "editor/schematic_layout.h"
#include "editor/schematic_text.h"
#include "model/projekt.h"

#include <gtest/gtest.h>
#include <memory>

namespace tavrel {
namespace {

struct HitCase {
    int size;
    PixelPoint point;
    int slot;
};

class HitTest : public ::testing::TestWithParam<HitCase> {};

TEST_P(HitTest, FindsTheHighestSlotAtThePoint) {
    EXPECT_EQ(HitSlot(MetricsForSize(GetParam().size), GetParam().point), GetParam().slot);
}

// Corners are inside; where a horizontal and a vertical rectangle overlap, the vertical wins.
INSTANTIATE_TEST_SUITE_P(
    ThreeSizes, HitTest,
    ::testing::Values(HitCase{1, {23, 2}, 0}, HitCase{1, {22, 2}, -1}, HitCase{1, {84, 27}, 91},
                      HitCase{1, {30, 51}, 90}, HitCase{1, {30, 52}, 10}, HitCase{2, {23, 2}, 0},
                      HitCase{2, {22, 2}, -1}, HitCase{2, {96, 32}, 91}, HitCase{2, {30, 58}, 90},
                      HitCase{2, {97, 2}, -1}, HitCase{3, {25, 2}, 0}, HitCase{3, {24, 2}, -1},
                      HitCase{3, {113, 33}, 91}, HitCase{3, {30, 65}, 90}, HitCase{3, {30, 66}, 10},
                      HitCase{2, {2000, 2000}, -1}, HitCase{7, {23, 2}, 0}));

struct ClickCase {
    MouseButton button;
    bool shift;
    bool ctrl;
    ClickAction action;
};

class Click : public ::testing::TestWithParam<ClickCase> {};

TEST_P(Click, DefaultAssignmentSelectsTheAction) {
    const ClickCase& c = GetParam();
    EXPECT_EQ(ActionOfClick(424531, c.button, c.shift, c.ctrl), c.action);
}

INSTANTIATE_TEST_SUITE_P(
    Modifiers, Click,
    ::testing::Values(ClickCase{MouseButton::Left, false, false, ClickAction::CreateWire},
                      ClickCase{MouseButton::Right, false, false, ClickAction::EditPart},
                      ClickCase{MouseButton::Left, true, false, ClickAction::MarkToOptimize},
                      ClickCase{MouseButton::Right, true, false, ClickAction::ReversePolarity},
                      ClickCase{MouseButton::Left, false, true, ClickAction::DeletePart},
                      ClickCase{MouseButton::Right, false, true, ClickAction::ReversePolarity},
                      ClickCase{MouseButton::Left, true, true, ClickAction::MarkToOptimize},
                      ClickCase{MouseButton::Other, false, false, ClickAction::None}));

TEST(ClickAction, DigitsOutsideTheActionsMeanNoAction) {
    EXPECT_EQ(ActionOfClick(999999, MouseButton::Left, false, false), ClickAction::None);
    EXPECT_EQ(AssignmentOfDigits(DigitsOfAssignment(424531)), 424531);
}

TEST(ClickAction, ChangesOnlyTheFieldItNames) {
    TWeichePart part;
    part.typ = PartDriver;
    part.verpolt = -1;
    ApplyClickAction(part, ClickAction::ReversePolarity);
    EXPECT_TRUE(IsReversed(part));
    EXPECT_EQ(part.verpolt, 2);
    ApplyClickAction(part, ClickAction::ReversePolarity);
    EXPECT_EQ(part.verpolt, -1);
    ApplyClickAction(part, ClickAction::CreateWire);
    EXPECT_EQ(part.typ, PartWire);
    ApplyClickAction(part, ClickAction::MarkToOptimize);
    EXPECT_TRUE(part.bOpti);
    EXPECT_FALSE(ApplyClickAction(part, ClickAction::EditPart));
    ApplyClickAction(part, ClickAction::DeletePart);
    EXPECT_EQ(part.typ, PartNone);
    EXPECT_EQ(part.verpolt, -1);
}

TEST(OptimizeMarks, MarkingResistorsClearsOtherMarks) {
    TWeiche weiche{};
    weiche[0] = {.typ = PartResistor};
    weiche[1] = {.typ = PartCapacitor, .bOpti = true};
    weiche[2] = {.typ = PartDriver, .bOpti = true};
    SetOptimizeMarks(weiche, MarkScope::AllResistors);
    EXPECT_TRUE(weiche[0].bOpti);
    EXPECT_FALSE(weiche[1].bOpti || weiche[2].bOpti);
    SetOptimizeMarks(weiche, MarkScope::AllParts);
    EXPECT_TRUE(weiche[0].bOpti && weiche[1].bOpti);
    EXPECT_FALSE(weiche[2].bOpti);
}

struct ValueCase {
    std::string (*format)(double);
    double value;
    const char* text;
};

class ValueText : public ::testing::TestWithParam<ValueCase> {};

TEST_P(ValueText, SwitchesToEngineeringFormAtTheRangeBorders) {
    EXPECT_EQ(GetParam().format(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Borders, ValueText,
                         ::testing::Values(ValueCase{ResistanceText, 0.1, "0,10 ohm"},
                                           ValueCase{ResistanceText, 0.09, "90m0 ohm"},
                                           ValueCase{ResistanceText, 999, "999, ohm"},
                                           ValueCase{ResistanceText, 1000, "1k00 ohm"},
                                           ValueCase{CapacitanceText, 1e-7,
                                                     "0,10 \xB5"
                                                     "F"},
                                           ValueCase{CapacitanceText, 0.000999,
                                                     "999, \xB5"
                                                     "F"},
                                           ValueCase{CapacitanceText, 0.001, "1m00 F"},
                                           ValueCase{CapacitanceText, 4.7e-8, "47n0 F"},
                                           ValueCase{InductanceText, 0.0001, "0,10 mH"},
                                           ValueCase{InductanceText, 0.999, "999, mH"},
                                           ValueCase{InductanceText, 1.5, "1.50 H"}));

struct SplitCase {
    const char* name;
    const char* first;
    const char* second;
};

class NameSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(NameSplit, BalancesTheTwoLines) {
    const auto [first, second] = SplitDriverName(GetParam().name);
    EXPECT_EQ(first, GetParam().first);
    EXPECT_EQ(second, GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(
    Names, NameSplit,
    ::testing::Values(SplitCase{"Woofer", "Woofer", ""}, SplitCase{"ABCDEFGH", "ABCDEFGH", ""},
                      SplitCase{"Tweeter 25 mm", "Tweeter", "25 mm"},
                      SplitCase{"Woofer 17 cm", "Woofer", "17 cm"},
                      SplitCase{"Mid-woofer 13 cm Pro", "Mid-woofer", "13 cm Pro"}));

TEST(SlotLabels, DriverShowsItsNumberOnlyInTheEditView) {
    auto projekt = std::make_unique<TProjekt>();
    projekt->Chassis[1].Name = "Tweeter 25 mm";
    const TWeichePart driver{.typ = PartDriver, .chassisnr = 1};
    EXPECT_EQ(SlotLabels(driver, *projekt, {}).second, "Driver 2");
    EXPECT_EQ(SlotLabels(driver, *projekt, {.printView = true}).first, "Tweeter");
    const TWeichePart coil{.typ = PartInductance, .value = 0.001, .Rvalue = 0.25, .bem = "L1"};
    EXPECT_EQ(SlotLabels(coil, *projekt, {}).second, "0,25 ohm");
    EXPECT_EQ(SlotLabels(coil, *projekt, {.labels = LabelMode::Denomination}).second, "L1");
}

TEST(NodeDots, PrintViewDotsOnlyJunctionsOfThreeEnds) {
    TWeiche weiche{};
    ResetWeiche(weiche);
    weiche[0].typ = PartWire;  // nodes 0-1
    weiche[1].typ = PartWire;  // nodes 1-2
    weiche[91].typ = PartWire; // nodes 1-12: node 1 is a T-junction
    weiche[2].typ = PartWire;  // nodes 2-3: node 2 joins two ends
    const auto dots = NodeDots(weiche, true);
    EXPECT_TRUE(dots[1]);
    EXPECT_FALSE(dots[0] || dots[2] || dots[12]);
    EXPECT_TRUE(NodeDots(weiche, false)[50]);
}

TEST(DrawSchematic, FreeWireOffTheGridIsNotDrawn) {
    TWeiche weiche{};
    ResetWeiche(weiche);
    weiche[178] = {.typ = PartWire, .nod1 = 0, .nod2 = 45};
    weiche[179] = {.typ = PartWire, .nod1 = 0, .nod2 = 99};
    auto projekt = std::make_unique<TProjekt>();
    const auto shapes = DrawSchematic(weiche, *projekt, MetricsForSize(2), {{true}, false});
    int curves = 0;
    for (const auto& shape : shapes) {
        curves += std::holds_alternative<SchematicCurve>(shape) ? 1 : 0;
    }
    EXPECT_EQ(curves, 1);
    EXPECT_EQ(FreeWireCurve({15, 15}, {115, 15})[1], (PixelPoint{35, 5}));
}

TEST(FreeWires, RefusesANodeBeyondTheGridAndReadsEmptyAsZero) {
    TWeiche weiche{};
    ResetWeiche(weiche);
    FreeWireRows rows = FreeWireRowsOf(weiche);
    rows[0] = {true, "", "98"};
    rows[1] = {true, "12", "99"};
    EXPECT_NE(ApplyFreeWireRows(weiche, rows), "");
    EXPECT_EQ(weiche[178].typ, PartNone);
    rows[1].on = false;
    EXPECT_EQ(ApplyFreeWireRows(weiche, rows), "");
    EXPECT_EQ(weiche[178], (TWeichePart{.typ = PartWire, .nod1 = 0, .nod2 = 98}));
    EXPECT_EQ(weiche[179].typ, PartNone);
}

TEST(CloseQuestions, EmptyNetworkAsksBothQuestions) {
    TWeiche weiche{};
    EXPECT_EQ(CloseQuestions(weiche).size(), 2u);
    weiche[5].typ = PartAmpOutput;
    weiche[6].typ = PartDriver;
    EXPECT_TRUE(CloseQuestions(weiche).empty());
}

} // namespace
} // namespace tavrel
