// The driver editor as a user drives it from the main window: edit the woofer's box, press
// Ok, see its impedance move, and undo it; import a measurement into the editor's chart.
#include "charts/ui/chart_box.h"
#include "driver_editor/impedance_curve.h"
#include "driver_editor/ui/driver_editor.h"
#include "driver_editor/ui/ts_fit_dialog.h"
#include "engine/passive_radiator.h"
#include "foundation/complex.h"
#include "model/chassis_file.h"
#include "support/main_window_fixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QInputDevice>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <fstream>

namespace tavrel {
namespace {

namespace fs = std::filesystem;

// Input devices that Qt creates lazily would be destroyed with the application after Qt's
// own list of them is gone; they go while the list still exists.
class InputDevices : public ::testing::Environment {
public:
    void TearDown() override {
        const QList<const QInputDevice*> devices = QInputDevice::devices();
        for (const QInputDevice* device : devices) {
            delete device;
        }
    }
};
const auto* const inputDevices = ::testing::AddGlobalTestEnvironment(new InputDevices);

class DriverEditorUi : public test::MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        startAndWait();
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        DriverEditor::SetFileChooser({});
    }
    int answer(const QString& text, const QStringList&, int proposed) override {
        windows << text;
        if (text.startsWith("Apply the changes") || text.startsWith("The driver file of")) {
            return reply;
        }
        return text.startsWith("Calculation result:") ? 1 : proposed; // adopt a fit
    }
    double wooferImpedanceAt(int k) const { return CAbs(window->Displayed().ChassisZ[0][k]); }
    DriverEditor& editor() const { return *window->DriverEditorWindow(); }
    void press(const char* name) const { editor().findChild<QPushButton*>(name)->click(); }

    QStringList windows;
    int reply = 1; ///< to the questions about unapplied changes
};

TEST_F(DriverEditorUi, ALargerBoxMovesTheWoofersImpedanceAndUndoRestoresIt) {
    const int k = 20; // low in the grid, near the box tuning
    const double before = wooferImpedanceAt(k);
    const double volume = window->Project().Einbau[0].Vb;
    window->findChild<QAction*>("ActDriver1")->trigger();
    ASSERT_TRUE(window->DriverEditorOpen());
    EXPECT_TRUE(window->findChild<QAction*>("ActShowDriverEditor")->isEnabled());

    editor().findChild<QLineEdit*>("EditVb")->setText("80");
    press("BtnOk");
    EXPECT_FALSE(window->DriverEditorOpen());
    EXPECT_DOUBLE_EQ(window->Project().Einbau[0].Vb, 0.08);
    EXPECT_EQ(window->findChild<QAction*>("ActUndo")->text(), "&Undo \"Driver 1 Edit\"");
    EXPECT_TRUE(window->findChild<QAction*>("ActDriver1")->text().contains("80 liters"));
    ASSERT_TRUE(waitForHandOver());
    EXPECT_GT(std::fabs(wooferImpedanceAt(k) - before), 0.01 * before);

    window->EditDriver(0);
    window->Undo(); // closes the editor before the project changes under it
    EXPECT_FALSE(window->DriverEditorOpen());
    EXPECT_FALSE(editor().isVisible());
    ASSERT_TRUE(waitForHandOver());
    EXPECT_DOUBLE_EQ(window->Project().Einbau[0].Vb, volume);
    EXPECT_NEAR(wooferImpedanceAt(k), before, 1e-9 * before);
}

TEST_F(DriverEditorUi, AnImportShowsInTheChartAndAbortKeepsTheProject) {
    const std::string zma = std::string(TAVREL_TEST_DATA) +
                            "/measurements/Project-Ryu---Loudspeaker-Drivers_F144W_first12.zma";
    DriverEditor::SetFileChooser(
        [&](DriverEditor::FileUse, const QString&, bool&) { return QString::fromStdString(zma); });
    window->EditDriver(0);
    editor().ImportResponse(true);
    const TVChart& chart = editor().findChild<ChartBox*>("ChartMeasured")->chart(0);
    EXPECT_EQ(chart.curve(1).count, 12);
    EXPECT_DOUBLE_EQ(editor().Records().chassis.FgangI[0], 6.558);

    const auto project = std::make_unique<TProjekt>(window->Project());
    press("BtnAbort");
    EXPECT_FALSE(window->DriverEditorOpen());
    EXPECT_TRUE(window->Project() == *project);
}

TEST_F(DriverEditorUi, AFittedClosedWooferGoesThroughADriverFileIntoAnotherSlot) {
    const std::string zma =
        std::string(TAVREL_TEST_DATA) + "/measurements/SpeAcouPy_FaitalPRO_12PR320_impedance.frd";
    const QString saved = QString::fromStdString((dir / "woofer").string());
    DriverEditor::SetFileChooser([&](DriverEditor::FileUse use, const QString&, bool& coded) {
        coded = false; // saved as plain text, read back by its content
        return use == DriverEditor::FileUse::ImportImpedance ? QString::fromStdString(zma)
               : use == DriverEditor::FileUse::LoadDriver    ? saved + ".TVC"
                                                             : saved;
    });
    window->EditDriver(0, 1);
    editor().findChild<QAbstractButton*>("RadioTyp1")->click();
    EXPECT_FALSE(editor().findChild<QLineEdit*>("Editfb")->isVisibleTo(&editor()));
    editor().ImportResponse(true);
    // A file without phase proposes the minimum phase, and the editor says it was computed.
    EXPECT_EQ(MeasuredCount(editor().Records().chassis.FgangIPF), 299);
    EXPECT_TRUE(editor().findChild<QLabel*>("LabelComputedPhase")->text().contains("electrical"));
    editor().FitVoiceCoil();
    press("BtnSave");
    EXPECT_TRUE(test::ReadWholeFile(saved.toStdString() + ".TVC").starts_with("## MyIniFile"));
    const TChassis fitted = editor().Records().chassis;
    EXPECT_GT(fitted.Re2, 0);
    press("BtnOk");
    EXPECT_EQ(window->Project().Einbau[0].Typ, EinbauClosed);

    window->EditDriver(1);
    press("BtnLoad");
    EXPECT_TRUE(windows.last().startsWith("Driver has been loaded."));
    EXPECT_NEAR(editor().Records().chassis.Re2, fitted.Re2, 1e-6 * fitted.Re2); // file precision
    EXPECT_EQ(MeasuredCount(editor().Records().chassis.FgangIF), 299);
}

TEST_F(DriverEditorUi, AZeroResonanceAsksBeforeClosing) {
    window->EditDriver(0);
    editor().findChild<QLineEdit*>("Editfs")->setText("0");
    press("BtnOk"); // default answer: "change now"
    EXPECT_EQ(windows.last(), "Error: fs<0");
    EXPECT_TRUE(window->DriverEditorOpen());
}

TEST_F(DriverEditorUi, PassiveRadiatorsShowTheirTuningAndBadDataKeepTheEditorOpen) {
    window->EditDriver(0, 1);
    editor().findChild<QAbstractButton*>("RadioTyp5")->click();
    EXPECT_FALSE(editor().findChild<QLineEdit*>("Editfb")->isVisibleTo(&editor()));
    const std::pair<const char*, const char*> typed[] = {
        {"EditPRn", "9"},   {"EditPRSd", "330"},   {"EditPRVas", "40"}, {"EditPRfs", "20"},
        {"EditPRQms", "5"}, {"EditPRmadd", "250"}, {"EditPRxmax", "15"}};
    for (const auto& [name, text] : typed) {
        auto* field = editor().findChild<QLineEdit*>(name);
        EXPECT_TRUE(field->isVisibleTo(&editor())) << name;
        field->setText(text);
    }
    press("BtnOk");
    EXPECT_EQ(windows.last().toStdString(), RadiatorFault);
    EXPECT_TRUE(window->DriverEditorOpen());
    editor().findChild<QLineEdit*>("EditPRn")->setText("2");
    press("BtnUpdate");
    EXPECT_TRUE(editor().findChild<QLabel*>("LabelRadiatorTuning")->text().contains("fb ="));
    press("BtnOk");
    EXPECT_FALSE(window->DriverEditorOpen());
    EXPECT_EQ(window->Project().Einbau[0].PRn, 2);
    EXPECT_DOUBLE_EQ(window->Project().Einbau[0].PRmadd, 0.25);
}

TEST_F(DriverEditorUi, OpeningAnotherDriverAsksBeforeDroppingUnappliedChanges) {
    window->EditDriver(0);
    window->EditDriver(1); // nothing typed: nothing to ask
    EXPECT_TRUE(windows.isEmpty());
    EXPECT_EQ(editor().Slot(), 1);
    const double volume = window->Project().Einbau[0].Vb;
    struct Case {
        int reply; // 1 Yes, 2 No, 3 Cancel
        int slotAfter;
        double volumeAfter;
    };
    for (const Case& c : {Case{3, 0, volume}, Case{2, 1, volume}, Case{1, 1, 0.08}}) {
        window->EditDriver(0);
        editor().findChild<QLineEdit*>("EditVb")->setText("80");
        reply = c.reply;
        window->EditDriver(1);
        EXPECT_EQ(windows.last(), "Apply the changes to driver 1 first?");
        EXPECT_EQ(editor().Slot(), c.slotAfter) << c.reply;
        EXPECT_DOUBLE_EQ(window->Project().Einbau[0].Vb, c.volumeAfter) << c.reply;
    }
    // Opening the driver that holds the changes again keeps them.
    window->EditDriver(1);
    editor().findChild<QLineEdit*>("EditVb")->setText("70");
    const qsizetype asked = windows.size();
    window->EditDriver(1);
    EXPECT_EQ(windows.size(), asked);
    EXPECT_EQ(editor().findChild<QLineEdit*>("EditVb")->text(), "70");
}

TEST_F(DriverEditorUi, ADriverReloadedUnderTheEditorIsNeverOverwrittenSilently) {
    fs::create_directories(dir / "Chassis");
    auto newer = std::make_unique<TChassis>();
    newer->Name = "Woofer 17 cm";
    newer->fs = 33.3;
    ASSERT_TRUE(SaveChassisFile(*newer, (dir / "Chassis" / "Woofer.TVC").string()).ok);
    struct Case {
        int reply;        // 1 keeps the editor's changes, 2 takes the file
        bool typeFs;      // false: the editor holds no changes and follows without a question
        double fsAfterOk; // what "Ok" leaves in the project
    };
    for (const Case& c : {Case{1, true, 40}, Case{2, true, 33.3}, Case{1, false, 33.3}}) {
        windows.clear();
        ASSERT_TRUE(window->LoadProject(QString::fromStdString((dir / "Default.TVP").string())));
        window->EditDriver(0);
        if (c.typeFs) {
            editor().findChild<QLineEdit*>("Editfs")->setText("40");
        }
        reply = c.reply;
        ASSERT_TRUE(test::WaitFor([&] { return window->Project().Chassis[0].fs == 33.3; }, 10000));
        EXPECT_EQ(windows.size(), c.typeFs ? 2 : 1);
        EXPECT_TRUE(windows.last().startsWith(c.typeFs ? "The driver file of driver 1 changed"
                                                       : "The project file may contain"));
        press("BtnOk");
        EXPECT_DOUBLE_EQ(window->Project().Chassis[0].fs, c.fsAfterOk) << c.reply << c.typeFs;
        ASSERT_TRUE(waitForHandOver());
    }
}

TEST_F(DriverEditorUi, TheThieleSmallFitAdoptsOnlyTheTickedValues) {
    auto driver = std::make_unique<TChassis>();
    std::ifstream in(std::string(TAVREL_TEST_DATA) +
                     "/measurements/SpeAcouPy_FaitalPRO_12PR320_impedance.frd");
    const ImpedanceCurve curve = ImpedanceCurveOf(ReadMeasurementPoints(in));
    std::copy(curve.f.begin(), curve.f.end(), driver->FgangIF.begin());
    std::copy(curve.magnitude.begin(), curve.magnitude.end(), driver->FgangI.begin());
    driver->Le = 1e-3;
    TsFitDialog dialog(*driver);
    auto* table = dialog.findChild<QTableWidget*>("TableFitted");
    ASSERT_EQ(table->rowCount(), 9); // no method, no Sd: no Vas
    EXPECT_EQ(table->item(4, 0)->text(), "Le");
    qobject_cast<QCheckBox*>(table->cellWidget(4, 3))->setChecked(false);
    dialog.AdoptInto(*driver);
    EXPECT_NEAR(driver->fs, 45.8, 0.5);
    EXPECT_EQ(driver->Le, 1e-3);
}

} // namespace
} // namespace tavrel
