// The desktop program as a user sees it: the main window on an example project, its charts,
// status bar, undo, reference and the questions of the project workflow.
#include "app/ui/calc_window.h"
#include "charts/ui/chart_tabs.h"
#include "model/chassis_file.h"
#include "model/projekt_file.h"
#include "support/main_window_fixture.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <sstream>
#include <vector>

namespace tavrel {
namespace {

namespace fs = std::filesystem;
using test::WaitFor;

struct Question {
    QString text;
    QStringList buttons;
};

class MainWindow : public test::MainWindowTest {
protected:
    void SetUp() override {
        fs::copy_file(fs::path(TAVREL_SOURCE_DIR) / "data" / "placeholder.jpg",
                      dir / "placeholder.jpg");
        MainWindowTest::SetUp();
        window->show();
    }
    int answer(const QString& text, const QStringList& buttons, int) override {
        questions.push_back({text, buttons});
        return reply;
    }
    QString statusText() const { return window->findChild<QLabel*>("StatusBar")->text(); }
    QColor statusColour() const {
        return window->findChild<QLabel*>("StatusBar")->palette().color(QPalette::Window);
    }
    TVChart& responseChart() const {
        auto* tab = qobject_cast<ChartTab*>(window->Tabs()->widget(0));
        return tab->chartBox()->chart(0);
    }

    std::vector<Question> questions;
    int reply = 1;
};

TEST_F(MainWindow, ShowsTheDefaultProjectAfterTheFirstCalculation) {
    startAndWait();
    EXPECT_EQ(statusText(), "Calculation successful.");
    EXPECT_TRUE(window->Displayed().Valid);
    EXPECT_TRUE(window->windowTitle().startsWith("Tavrel 0.1 - KELMORA-Edition ["));
    EXPECT_TRUE(window->windowTitle().endsWith("Default.TVP]"));

    const TVChart& chart = responseChart();
    EXPECT_EQ(chart.titles[0], "Frequency response whole speaker");
    EXPECT_EQ(chart.curve(0).name.str(), "Total amplitude");
    EXPECT_TRUE(chart.curve(0).visible);
    EXPECT_EQ(chart.curve(0).count, window->Displayed().nFreq);
    EXPECT_EQ(chart.curve(1).name.str(), window->Project().Chassis[0].Name.str() + " (1)");
    EXPECT_EQ(chart.curve(3).name.str(), "Impedance at amplifier 1");
    EXPECT_TRUE(chart.curve(3).rightAxis);

    const QStringList tabs = [&] {
        QStringList visible;
        for (int i = 0; i < window->Tabs()->count(); ++i) {
            if (window->Tabs()->isTabVisible(i)) {
                visible << window->Tabs()->tabText(i);
            }
        }
        return visible;
    }();
    EXPECT_TRUE(tabs.contains("Frequency response."));
    EXPECT_TRUE(tabs.contains("Driver"));
    EXPECT_FALSE(tabs.contains("Driver 5..8"));
    EXPECT_TRUE(tabs.contains("Group delay"));
    EXPECT_TRUE(tabs.contains("Step response"));
    EXPECT_FALSE(tabs.contains("Electr. phase."));
}

TEST_F(MainWindow, ErrorsTurnTheStatusBarRedAndAreListed) {
    startAndWait();
    window->PushUndo("test");
    window->MutableProject().Amps[0].AktFilter.Pegel = 0;
    window->RequestCalc();
    ASSERT_TRUE(waitForHandOver());
    EXPECT_EQ(statusText(), "Calculation errors occured. Click here for list");
    EXPECT_EQ(statusColour(), QColor(255, 0, 0));
    EXPECT_FALSE(window->Displayed().Valid);
    auto* calc = window->findChild<TFormRechnen*>("TFormRechnen");
    EXPECT_EQ(calc->Text(), "Error: Active filter at amp 1: Level false.");

    window->Undo();
    ASSERT_TRUE(waitForHandOver());
    EXPECT_EQ(statusText(), "Calculation successful.");
    EXPECT_EQ(calc->Text(), "Calculation successful.");
}

TEST_F(MainWindow, UndoRestoresOnlyTheTwentyOneNewestStates) {
    startAndWait();
    for (int edit = 1; edit <= 25; ++edit) {
        window->PushUndo("edit " + std::to_string(edit));
        window->MutableProject().Amps[0].AktFilter.Pegel = 1 + edit;
    }
    auto* undo = window->findChild<QAction*>("ActUndo");
    EXPECT_EQ(undo->text(), "&Undo \"edit 25\"");
    for (int i = 0; i < 21; ++i) {
        window->Undo();
    }
    EXPECT_EQ(window->Project().Amps[0].AktFilter.Pegel, 5.0); // the state edit 5 changed
    EXPECT_FALSE(undo->isEnabled());
    window->Undo();
    EXPECT_EQ(window->Project().Amps[0].AktFilter.Pegel, 5.0);
    EXPECT_FALSE(window->Project().saved);
    ASSERT_TRUE(waitForHandOver());
}

TEST_F(MainWindow, KeysUndoAndRedoAndANewChangeClearsRedo) {
    startAndWait();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->PushUndo("level & delay");
    window->MutableProject().Amps[0].AktFilter.Pegel = 7;
    auto* redo = window->findChild<QAction*>("ActRedo");
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_NE(window->Project().Amps[0].AktFilter.Pegel, 7);
    EXPECT_EQ(redo->text(), "&Redo \"level && delay\"");
    QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(window->Project().Amps[0].AktFilter.Pegel, 7);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(window->Project().Amps[0].AktFilter.Pegel, 7);
    window->PushUndo("another");
    EXPECT_FALSE(redo->isEnabled());
    EXPECT_EQ(redo->text(), "&Redo");
    ASSERT_TRUE(waitForHandOver());
}

struct ShortcutCase {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* action;
};

class MainWindowShortcut : public test::MainWindowTest,
                           public ::testing::WithParamInterface<ShortcutCase> {};

TEST_P(MainWindowShortcut, TriggersItsMenuItem) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto* action = window->findChild<QAction*>(GetParam().action);
    ASSERT_NE(action, nullptr);
    action->disconnect(); // what the item does is tested elsewhere; here only that it is reached
    QSignalSpy triggered(action, &QAction::triggered);
    QTest::keyClick(window.get(), GetParam().key, GetParam().modifiers);
    EXPECT_EQ(triggered.count(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Desktop, MainWindowShortcut,
    ::testing::Values(ShortcutCase{Qt::Key_N, Qt::ControlModifier, "ActNew"},
                      ShortcutCase{Qt::Key_O, Qt::ControlModifier, "ActLoad"},
                      ShortcutCase{Qt::Key_S, Qt::ControlModifier, "ActSaveInPlace"},
                      ShortcutCase{Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier, "ActSave"},
                      ShortcutCase{Qt::Key_Q, Qt::ControlModifier, "ActQuit"},
                      ShortcutCase{Qt::Key_F1, Qt::NoModifier, "ActInstructions"}),
    [](const ::testing::TestParamInfo<ShortcutCase>& row) {
        return std::string(row.param.action);
    });

TEST_F(MainWindow, ReferenceIsSetExchangedRestoredAndDeleted) {
    startAndWait();
    auto* exchange = window->findChild<QAction*>("ActExchangeReference");
    EXPECT_FALSE(exchange->isEnabled());
    window->SetReference();
    EXPECT_TRUE(window->HasReference());
    EXPECT_TRUE(exchange->isEnabled());
    EXPECT_TRUE(responseChart().reference(0).visible);
    EXPECT_EQ(responseChart().reference(0).count, window->Displayed().nFreq);

    window->PushUndo("level");
    window->MutableProject().Amps[0].AktFilter.Pegel = 0.5;
    window->RequestCalc();
    ASSERT_TRUE(waitForHandOver());
    const double quieter = responseChart().curve(0).y[40];
    EXPECT_NEAR(responseChart().reference(0).y[40] - quieter, 6.02, 0.01);

    window->ExchangeReference();
    ASSERT_TRUE(waitForHandOver());
    EXPECT_EQ(window->Project().Amps[0].AktFilter.Pegel, 1.0);
    EXPECT_NEAR(responseChart().reference(0).y[40], quieter, 1e-9);

    window->RestoreReference();
    ASSERT_TRUE(waitForHandOver());
    EXPECT_EQ(window->Project().Amps[0].AktFilter.Pegel, 0.5);
    EXPECT_FALSE(window->Project().saved);

    window->DeleteReference();
    EXPECT_FALSE(exchange->isEnabled());
    EXPECT_FALSE(responseChart().reference(0).visible);
}

TEST_F(MainWindow, ModifiedProjectAsksBeforeNewLoadAndQuit) {
    startAndWait();
    window->PushUndo("change");
    window->MutableProject().Comment1 = "changed";
    window->MarkModified();

    reply = 2; // "No": keep the changes
    window->NewProject();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].text, "Really refuse all changes without saving?");
    EXPECT_EQ(questions[0].buttons, (QStringList{"Yes", "No"}));
    EXPECT_EQ(window->Project().Comment1.str(), "changed");

    bool chooserCalled = false;
    TMainForm::SetFileChooser([&](bool, const QString&, bool&) {
        chooserCalled = true;
        return QString();
    });
    window->LoadProjectFromMenu();
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[1].text, "Discard all changes without saving?");
    EXPECT_FALSE(chooserCalled);

    reply = 3; // "Abort": the window stays open
    EXPECT_FALSE(window->close());
    ASSERT_EQ(questions.size(), 3u);
    EXPECT_EQ(questions[2].text, "Quit program?\r\n\r\nSave current project now?");
    EXPECT_EQ(questions[2].buttons, (QStringList{"&Yes", "&No", "&Abort"}));
}

TEST_F(MainWindow, SaveAndLoadKeepTheProject) {
    startAndWait();
    window->PushUndo("comment");
    window->MutableProject().Comment1 = "Two-way for the kitchen";
    window->MarkModified();
    TMainForm::SetFileChooser([&](bool save, const QString&, bool&) {
        return QString::fromStdString((dir / (save ? "kitchen" : "kitchen.TVP")).string());
    });
    ASSERT_TRUE(window->SaveProjectFromMenu());
    EXPECT_TRUE(fs::exists(dir / "kitchen.TVP"));
    EXPECT_TRUE(window->Project().saved);
    EXPECT_TRUE(window->windowTitle().endsWith("kitchen.TVP]"));

    window->PushUndo("other");
    window->MutableProject().Comment1 = "other";
    window->MarkModified();
    reply = 1; // "Yes": discard
    window->LoadProjectFromMenu();
    ASSERT_TRUE(waitForHandOver());
    EXPECT_EQ(window->Project().Comment1.str(), "Two-way for the kitchen");
    EXPECT_TRUE(window->Project().saved);

    // Saving in place asks nothing once the project has a file.
    bool asked = false;
    TMainForm::SetFileChooser([&](bool, const QString&, bool&) {
        asked = true;
        return QString();
    });
    window->MutableProject().Comment2 = "in place";
    ASSERT_TRUE(window->SaveProjectInPlace());
    EXPECT_FALSE(asked);
    auto reread = std::make_unique<TProjekt>();
    ASSERT_TRUE(ReadProjekt(*reread, (dir / "kitchen.TVP").string()).ok);
    EXPECT_EQ(reread->Comment2.str(), "in place");
}

TEST_F(MainWindow, APlainProjectStaysPlainAndASaveChangesOnlyTheEditedLine) {
    const fs::path plain = dir / "Default.TVP.plain";
    fs::copy_file(fs::path(TAVREL_SOURCE_DIR) / "data/examples/Default.TVP.plain", plain);
    startAndWait(QString::fromStdString(plain.string()));
    EXPECT_TRUE(questions.empty()) << questions[0].text.toStdString();
    EXPECT_FALSE(window->ProjectCoded());
    // The version kept under version control is one the program saved (the bundled file lacks
    // the enclosure estimates a save writes).
    ASSERT_TRUE(window->SaveProject(QString::fromStdString(plain.string())));
    const std::string before = test::ReadWholeFile(plain);
    window->PushUndo("comment");
    window->MutableProject().Comment1 = "Kitchen";
    window->MarkModified();
    ASSERT_TRUE(window->SaveProject(QString::fromStdString(plain.string())));

    // What version control shows: the one edited line, nothing else.
    const std::string after = test::ReadWholeFile(plain);
    std::istringstream oldLines(before), newLines(after);
    std::vector<std::string> changed;
    for (std::string a, b; std::getline(oldLines, a) && std::getline(newLines, b);) {
        if (a != b) {
            changed.push_back(b);
        }
    }
    EXPECT_EQ(changed, std::vector<std::string>{"Comment1=\tKitchen\r"});
    EXPECT_EQ(std::count(after.begin(), after.end(), '\n'),
              std::count(before.begin(), before.end(), '\n'));

    // "Save as" offers the coded form too, and the project then keeps that form.
    TMainForm::SetFileChooser([&](bool, const QString&, bool& coded) {
        EXPECT_FALSE(coded); // preselected: the form the project was opened in
        coded = true;
        return QString::fromStdString((dir / "coded").string());
    });
    ASSERT_TRUE(window->SaveProjectFromMenu());
    EXPECT_EQ(test::ReadWholeFile(dir / "coded.TVP").front(), '\0');
    EXPECT_TRUE(window->ProjectCoded());
}

TEST_F(MainWindow, NewProjectOpensThePropertiesAndClampsThem) {
    startAndWait();
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QLineEdit*>("EditPoints")->setText("1000");
        dialog->findChild<QLineEdit*>("EditfMin")->setText("300");
        dialog->findChild<QLineEdit*>("EditfMax")->setText("300");
        dialog->accept();
    });
    window->NewProject();
    EXPECT_EQ(window->Project().Option.sz, 599);
    EXPECT_EQ(window->Project().Option.fMin, 20);
    EXPECT_EQ(window->Project().Option.fMax, 20000);
    EXPECT_TRUE(window->windowTitle().endsWith("noname.TVP]"));
    ASSERT_TRUE(waitForHandOver());
}

TEST_F(MainWindow, NewerDriverFileIsOfferedAfterLoading) {
    fs::create_directories(dir / "Chassis");
    auto newer = std::make_unique<TChassis>();
    newer->Name = "woofer-17cm";
    newer->fs = 33.3;
    const std::string path = (dir / "Chassis" / "Woofer.TVC").string();
    ASSERT_TRUE(SaveChassisFile(*newer, path, true).ok); // dated today, after the example's date
    startAndWait();
    ASSERT_TRUE(WaitFor([&] { return !questions.empty(); }, 10000));
    EXPECT_EQ(questions[0].text, "The project file may contain an elder version of \r\nthe "
                                 "driver \"Woofer 17 cm\"Load updated driver file?");
    EXPECT_EQ(questions[0].buttons, (QStringList{"Yes", "No"}));
    EXPECT_EQ(window->Project().Chassis[0].fs, 33.3);
    EXPECT_FALSE(window->Project().saved);
    EXPECT_EQ(window->findChild<QAction*>("ActUndo")->text(), "&Undo \"Driver 1 load new\"");
    ASSERT_TRUE(WaitFor([&] { return window->CalculationFinished(); }));
}

} // namespace
} // namespace tavrel
