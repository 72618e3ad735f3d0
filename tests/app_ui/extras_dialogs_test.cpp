// The housing, view options and driver copy dialogs as the main window's menu items run them:
// what OK writes into the project and that cancelling leaves project and undo stack alone.
#include "app/ui/view_options_dialog.h"
#include "support/main_window_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace tavrel {
namespace {

class ExtrasDialogs : public test::MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        TProjekt& p = window->MutableProject();
        p.nChassis = 2;
        p.Chassis[0].Name = "Woofer";
        p.Chassis[1].Name = "Tweeter";
        p.Schallwand[0].usegemgeh = false;
        p.Schallwand[1].usegemgeh = true;
        p.Einbau[0].Typ = 2;
        before = std::make_unique<TProjekt>(p);
    }
    /// Triggers the menu item and lets `use` work the dialog it opens, then OK or cancel.
    void run(const char* action, const std::function<void(QDialog&)>& use, bool accept) {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            use(*dialog);
            accept ? dialog->accept() : dialog->reject();
        });
        window->findChild<QAction*>(action)->trigger();
    }
    QString undoText() const { return window->findChild<QAction*>("ActUndo")->text(); }

    std::unique_ptr<TProjekt> before;
};

TEST_F(ExtrasDialogs, PortCalculatorGivesItsPortToTheVentedDriverOnly) {
    window->ShowCalculator(1);
    auto* useFirst = window->findChild<QPushButton*>("BtnUsePort1");
    ASSERT_NE(useFirst, nullptr);
    EXPECT_FALSE(window->findChild<QPushButton*>("BtnUsePort3")->isVisibleTo(useFirst->window()));
    useFirst->click(); // the page's default: one rectangular port of 8 × 20 cm in 50 l
    EXPECT_DOUBLE_EQ(window->Project().Einbau[0].Aport, 0.08 * 0.2);
    EXPECT_NEAR(window->Project().Einbau[0].fb, 47.59, 0.01);
    EXPECT_EQ(undoText(), "&Undo \"Driver 1 port\"");
    window->findChild<QPushButton*>("BtnUsePort2")->click(); // a closed box has no port
    EXPECT_EQ(window->Project().Einbau[1], before->Einbau[1]);
}

TEST_F(ExtrasDialogs, AbortAfterExecuteLeavesProjectAndUndoAlone) {
    const QString undo = undoText();
    run(
        "ActCopyDriver", [](QDialog& d) { d.findChild<QPushButton*>("BtnExecute")->click(); },
        false);
    EXPECT_EQ(window->Project(), *before);
    EXPECT_EQ(undoText(), undo);
    EXPECT_FALSE(window->findChild<QAction*>("ActUndo")->isEnabled());
}

TEST_F(ExtrasDialogs, ExchangeOnOkReplacesTheProject) {
    run(
        "ActCopyDriver",
        [](QDialog& d) {
            d.findChild<QComboBox*>("CBOperation")->setCurrentIndex(1);
            d.findChild<QPushButton*>("BtnExecute")->click();
            EXPECT_EQ(d.findChild<QComboBox*>("CBSource")->currentText(), "1: Tweeter");
        },
        true);
    EXPECT_EQ(window->Project().Chassis[0].Name.str(), "Tweeter");
    EXPECT_EQ(undoText(), "&Undo \"Copy driver\"");
}

TEST_F(ExtrasDialogs, ViewOptionsReplaceZeroAndCancelChangesNothing) {
    const auto typeImpedance = [](QDialog& d) {
        d.findChild<QLineEdit*>("EditImpMax")->setText("0");
    };
    run("ActViewOptions", typeImpedance, false);
    EXPECT_EQ(window->Project(), *before);
    run("ActViewOptions", typeImpedance, true);
    EXPECT_EQ(window->Project().Option.ImpMax, 50);
    EXPECT_EQ(undoText(), "&Undo \"View options\"");
}

TEST_F(ExtrasDialogs, ColourPanelTakesTheChosenColourAsBgr) {
    TFormViewOptions::SetColorChooser(
        [](const QColor&, QWidget*) { return std::optional<QColor>(QColor(1, 2, 3)); });
    run(
        "ActViewOptions",
        [](QDialog& d) {
            d.findChild<QPushButton*>("BtnDefaults")->click();
            EXPECT_TRUE(d.isVisible());
            d.findChild<QPushButton*>("PanelChassis3")->click();
        },
        true);
    TFormViewOptions::SetColorChooser({});
    const TOptionBlock& option = window->Project().Option;
    EXPECT_EQ(option.ColorSetChassis[3], 0x030201u);
    EXPECT_EQ(option.ColorSetChassis[2], 0x00DF00u);
    EXPECT_EQ(option.ImpMax, 70);
}

TEST_F(ExtrasDialogs, HousingOkConvertsCheckedDrivers) {
    const auto place = [](QDialog& d) {
        d.findChild<QLineEdit*>("EditB")->setText("30");
        d.findChild<QLineEdit*>("EditH")->setText("30");
        d.findChild<QCheckBox*>("CheckBoxUse1")->setChecked(true);
        d.findChild<QLineEdit*>("Edita1")->setText("15");
        d.findChild<QLineEdit*>("Editc1")->setText("15,0");
        d.findChild<QLineEdit*>("EditT")->setText("1e999");
        EXPECT_TRUE(d.findChild<QLineEdit*>("Editar1")->isVisibleTo(&d)); // vented driver
        EXPECT_FALSE(d.findChild<QLineEdit*>("Editar2")->isVisibleTo(&d));
    };
    run("ActHousing", place, false);
    EXPECT_EQ(window->Project(), *before);
    run("ActHousing", place, true);
    const TSchallwand& baffle = window->Project().Schallwand[0];
    EXPECT_TRUE(baffle.usegemgeh);
    EXPECT_DOUBLE_EQ(baffle.b, 0.3);
    EXPECT_NEAR(baffle.hor, 0, 1e-12);
    EXPECT_NEAR(baffle.vert, 0, 1e-12);
    EXPECT_EQ(window->Project().GemGeh.t, 0); // an unreadable depth counts as 0
    EXPECT_EQ(undoText(), "&Undo \"Edit common outer housing\"");
}

} // namespace
} // namespace tavrel
