#include "app/tuning_gesture.h"
#include "app/undo_stack.h"
#include "app/workflow.h"

#include <gtest/gtest.h>
#include <memory>

namespace tavrel {
namespace {

TEST(UndoStack, KeepsOnlyTheTwentyOneNewestStatesAndDiscardDropsWithoutRestoring) {
    UndoStack undo;
    auto current = std::make_unique<TProjekt>();
    for (int edit = 1; edit <= 25; ++edit) {
        undo.Push(*current, "edit " + std::to_string(edit));
        current->Option.sz = edit; // the change the snapshot was taken for
    }
    EXPECT_EQ(undo.MenuCaption(), "Undo \"edit 25\"");
    int restored = 0;
    while (undo.Undo(*current)) {
        ++restored;
        EXPECT_EQ(current->Option.sz, 25 - restored);
    }
    EXPECT_EQ(restored, 21);
    EXPECT_EQ(current->Option.sz, 4); // the state before edit 5: older ones fell off
    EXPECT_EQ(undo.MenuCaption(), "Undo");
    undo.Push(*current, "first");
    current->nAmps = 3;
    undo.Push(*current, "second");
    current->nAmps = 5;
    undo.Discard();
    EXPECT_EQ(current->nAmps, 5);
    EXPECT_EQ(undo.NewestText(), "first");
    ASSERT_TRUE(undo.Undo(*current));
    EXPECT_EQ(current->nAmps, 1);
    EXPECT_FALSE(undo.CanUndo());
}

TEST(UndoStack, RedoTakesBackAnUndoUntilTheNextChange) {
    UndoStack undo;
    auto current = std::make_unique<TProjekt>();
    for (int edit = 1; edit <= 3; ++edit) {
        undo.Push(*current, "edit " + std::to_string(edit));
        current->nAmps = static_cast<std::int16_t>(edit);
    }
    EXPECT_FALSE(undo.Redo(*current));
    EXPECT_EQ(undo.RedoMenuCaption(), "Redo");
    ASSERT_TRUE(undo.Undo(*current));
    ASSERT_TRUE(undo.Undo(*current));
    EXPECT_EQ(current->nAmps, 1);
    EXPECT_EQ(undo.RedoMenuCaption(), "Redo \"edit 2\"");
    ASSERT_TRUE(undo.Redo(*current));
    EXPECT_EQ(current->nAmps, 2);
    EXPECT_EQ(undo.MenuCaption(), "Undo \"edit 2\"");
    EXPECT_EQ(undo.RedoMenuCaption(), "Redo \"edit 3\"");
    undo.Push(*current, "edit 4");
    EXPECT_FALSE(undo.CanRedo());
    EXPECT_FALSE(undo.Redo(*current));
    EXPECT_EQ(current->nAmps, 2);
}

TEST(Names, LongPathsKeepTheirFirstPartAndTailAndSaveNamesGetTheExtension) {
    EXPECT_EQ(ShortenPath("/home/a.TVP", 40, '/'), "/home/a.TVP");
    EXPECT_EQ(ShortenPath("C:\\Projekte\\Lautsprecher\\Zweiweg\\Box.TVP", 25, '\\'),
              "C:\\...\\Zweiweg\\Box.TVP");
    EXPECT_EQ(ShortenPath("C:\\a\\b\\VeryLongFileNameThatNeverFits.TVP", 10, '\\'),
              "C:\\...\\VeryLongFileNameThatNeverFits.TVP");
    EXPECT_EQ(MainCaption("0.1", "/x/y.TVP", 800, '/'), "Tavrel 0.1 - KELMORA-Edition [/x/y.TVP]");
    EXPECT_EQ(ProjectSaveName("test"), "test.TVP");
    EXPECT_EQ(ProjectSaveName("a.tvp"), "a.tvp");
    EXPECT_EQ(ProjectSaveName(".TVP"), "");
    EXPECT_EQ(ProjectSaveName(""), "");
}

TEST(Properties, EqualOrReversedFrequenciesAndOutOfRangeCountsAreMended) {
    auto project = std::make_unique<TProjekt>();
    ProjectProperties props;
    props.fMin = props.fMax = "500";
    props.points = 1000;
    ApplyProperties(*project, props);
    EXPECT_EQ(project->Option.fMin, 20);
    EXPECT_EQ(project->Option.fMax, 20000);
    EXPECT_EQ(project->Option.sz, 599);
    EXPECT_EQ(project->f[599], 0.0);
    props.points = 3;
    ApplyProperties(*project, props);
    EXPECT_EQ(project->Option.sz, 10);
    EXPECT_DOUBLE_EQ(project->f[9], 20000);
    props.fMin = "10000";
    props.fMax = "100,0";
    props.points = 84;
    props.nAmps = 9;
    props.nChassis = 0;
    ApplyProperties(*project, props);
    EXPECT_EQ(project->Option.fMin, 100);
    EXPECT_EQ(project->Option.fMax, 10000);
    EXPECT_DOUBLE_EQ(project->Option.glatt_a, 2.0 / 84 * 7);
    EXPECT_EQ(project->nAmps, 6);
    EXPECT_EQ(project->nChassis, 1);
}

TEST(MenuCaption, BoxedDriversShowTheirVolume) {
    auto p = std::make_unique<TProjekt>();
    p->Chassis[1].Name = "Woofer";
    p->Einbau[1].Typ = EinbauVented;
    p->Einbau[1].Vb = 0.0125;
    EXPECT_EQ(DriverMenuCaption(1, *p), "Driver &2: Woofer in 12,5 liters vented.");
    p->Einbau[1].Typ = EinbauIntegrated;
    EXPECT_EQ(DriverMenuCaption(1, *p), "Driver &2: Woofer");
}

TEST(TuningGesture, StepsCloseTogetherOnOneValueAreOneUndoStep) {
    using namespace std::chrono_literals;
    TuningGesture gesture;
    const auto t = TuningGesture::Clock::time_point{} + 10s;
    EXPECT_TRUE(gesture.StartsNew("C1", "Tune C1", "Load file", t));
    EXPECT_FALSE(gesture.StartsNew("C1", "Tune C1", "Tune C1", t + 300ms));
    EXPECT_FALSE(gesture.StartsNew("C1", "Tune C1", "Tune C1", t + 900ms));   // 0.6 s after
    EXPECT_TRUE(gesture.StartsNew("C1", "Tune C1", "Tune C1", t + 1700ms));   // after the pause
    EXPECT_TRUE(gesture.StartsNew("R1", "Tune R1", "Tune C1", t + 1800ms));   // another part
    EXPECT_TRUE(gesture.StartsNew("R1", "Tune R1", "Load file", t + 1900ms)); // after undo
}

} // namespace
} // namespace tavrel
