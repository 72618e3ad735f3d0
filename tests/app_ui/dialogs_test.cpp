// The dialogs of the main window, filled in as a user would, and the pictures of every chart
// of an example project.
#include "app/project_load.h"
#include "app/ui/active_filter_dialog.h"
#include "app/ui/directories_dialog.h"
#include "app/ui/export_dialog.h"
#include "charts/ui/chart_painter.h"
#include "charts/ui/chart_render.h"
#include "engine/calc_engine.h"
#include "foundation/my_ini_file.h"
#include "foundation/ui/choice_dialog.h"
#include "foundation/ui/store_text.h"
#include "model/projekt_file.h"
#include "support/qt_application.h"
#include "support/scratch_dir.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace tavrel {
namespace {

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override {
        test::TestApplication();
        TUniAuswahlDlg::SetHandler([this](const QString& text, const QStringList&, int def) {
            messages << text;
            return answer > 0 ? answer : def;
        });
    }
    void TearDown() override { TUniAuswahlDlg::SetHandler({}); }
    QStringList messages;
    int answer = 0; ///< the button pressed in every choice window; 0: its default
    test::ScratchDir dir{"dialogs"};
};

TEST_F(Dialogs, ActiveFilterShowsLevelInDecibelsParsesEveryFieldAndResetsAMissingLevel) {
    TFormAktFilter dialog;
    TAktFilter filter;
    filter.TP121 = true;
    filter.TP121f = 2500;
    filter.TP121q = 0.5;
    dialog.Load(filter, 2);
    EXPECT_EQ(dialog.windowTitle(), " Amplifier 2");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("EditPeg1")->text(), "0");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("Edit1TP121f")->text(), "2500");
    EXPECT_TRUE(dialog.findChild<QCheckBox*>("cb1tp121")->isChecked());
    EXPECT_FALSE(dialog.findChild<QCheckBox*>("cb1HP6")->isChecked());

    dialog.findChild<QLineEdit*>("EditPeg1")->setText("-6");
    dialog.findChild<QCheckBox*>("cb1HP6")->setChecked(true);
    dialog.findChild<QLineEdit*>("edit1hp6f")->setText("35,5");
    dialog.findChild<QLineEdit*>("Edit1tp121q")->setText("0.707");
    const TAktFilter edited = dialog.Edited();
    EXPECT_NEAR(edited.Pegel, 0.501187, 1e-6);
    EXPECT_TRUE(edited.HP6);
    EXPECT_EQ(edited.HP6f, 35.5);
    EXPECT_EQ(edited.TP121q, 0.707);
    EXPECT_EQ(edited.TP121f, 2500);
    EXPECT_TRUE(messages.isEmpty());
    filter = TAktFilter{};
    filter.Pegel = 0;
    dialog.Load(filter, 1);
    EXPECT_EQ(messages, QStringList{"Level of amp will be set to 0 dB."});
    EXPECT_EQ(dialog.findChild<QLineEdit*>("EditPeg1")->text(), "0");
    EXPECT_EQ(dialog.Edited().Pegel, 1.0);
}

TEST_F(Dialogs, ActiveFilterListsFurtherSectionsToAddMoveRemoveAndRetype) {
    TFormAktFilter dialog;
    TAktFilter filter;
    filter.Delay = 0.0004;
    filter.EQ[0] = {DspPeaking, false, 700, -1.5, 1};
    filter.EQ[3] = {DspLinkwitz, true, 60, 0, 0.9, 35, 0.6}; // a gap in the file's numbers
    dialog.Load(filter, 1);
    const auto child = [&](const char* name) { return dialog.findChild<QWidget*>(name); };
    EXPECT_EQ(dialog.findChild<QLineEdit*>("EditDelay")->text(), "0,4");
    EXPECT_EQ(dialog.findChild<QComboBox*>("ComboEQ2")->currentText(), "Linkwitz transform");
    EXPECT_FALSE(child("ComboEQ3")->isVisibleTo(&dialog));
    EXPECT_TRUE(child("EditEQ2f2")->isVisibleTo(&dialog));
    EXPECT_FALSE(child("EditEQ1f2")->isVisibleTo(&dialog));
    TAktFilter expected = filter;
    expected.EQ[1] = filter.EQ[3];
    expected.EQ[3] = TDspSection{};
    EXPECT_EQ(dialog.Edited(), expected); // compacted, nothing else changed

    int previews = 0;
    QObject::connect(&dialog, &TFormAktFilter::valuesChanged, [&previews] { ++previews; });
    dialog.findChild<QPushButton*>("BtnAddSection")->click();
    dialog.findChild<QToolButton*>("BtnEQ1Down")->click();
    dialog.findChild<QToolButton*>("BtnEQ3Remove")->click();
    dialog.findChild<QComboBox*>("ComboEQ1")->setCurrentIndex(DspNotch - 1);
    dialog.findChild<QCheckBox*>("cbInvert")->setChecked(true);
    EXPECT_EQ(previews, 5);
    const TAktFilter edited = dialog.Edited();
    EXPECT_EQ(edited.EQ[0].typ, DspNotch);
    EXPECT_EQ(edited.EQ[0].f2, 35);
    EXPECT_EQ(edited.EQ[1], filter.EQ[0]);
    EXPECT_EQ(edited.EQ[2], TDspSection{});
    EXPECT_TRUE(edited.Invert);
    EXPECT_FALSE(child("EditEQ1g")->isVisibleTo(&dialog));
}

TEST_F(Dialogs, DirectoriesAreSavedWithSeparatorOrDeletedWithoutPresets) {
    TSettings settings;
    settings.ProgramDir = dir.path().string();
    LoadSettings(settings);
    {
        TFormVerzeichnisse dialog(settings);
        dialog.findChild<QCheckBox*>("CBVerzeichnisvorgaben")->setChecked(true);
        dialog.findChild<QLineEdit*>("EditDir1")
            ->setText(QString::fromStdString((dir / "my drivers").string()));
        dialog.findChild<QPushButton*>("BtnClose")->click();
        settings = dialog.Settings();
    }
    EXPECT_EQ(settings.DriverDir, (dir / "my drivers").string() + "/");
    {
        TMyIniFile file(settings.SettingsPath, false, false, true);
        EXPECT_EQ(file.ReadString("Verzeichnisse", "Chassis", "-"), settings.DriverDir);
    }
    {
        TFormVerzeichnisse dialog(settings);
        EXPECT_TRUE(dialog.findChild<QLineEdit*>("EditDir1")->isVisibleTo(&dialog));
        dialog.findChild<QCheckBox*>("CBVerzeichnisvorgaben")->setChecked(false);
        EXPECT_FALSE(dialog.findChild<QPushButton*>("BtnFind1")->isEnabled());
        dialog.findChild<QPushButton*>("BtnClose")->click();
        settings = dialog.Settings();
    }
    EXPECT_EQ(settings.DriverDir, dir.path().string() + "/Chassis/");
    TMyIniFile file(settings.SettingsPath, false, false, true);
    EXPECT_EQ(file.ReadString("Verzeichnisse", "Chassis", "-"), "-");
}

TEST_F(Dialogs, DriverNamesWithUmlautsSurviveSaveAndLoad) {
    const QString name = QString::fromUtf8("Hochtöner µ");
    auto project = std::make_unique<TProjekt>();
    ResetProject(*project);
    project->Chassis[0].Name = ToStoreText(name);
    const std::string path = (dir / "umlaut.TVP").string();
    ASSERT_TRUE(WriteProjekt(*project, path, true).ok);
    auto loaded = std::make_unique<TProjekt>();
    ResetProject(*loaded);
    ASSERT_TRUE(LoadProjectFile(*loaded, path).loaded);
    EXPECT_EQ(FromStoreText(loaded->Chassis[0].Name.view()), name);
}

TEST_F(Dialogs, ExportWritesTheTimeCurvesOfTheSpeakerOrADriverThatHasThem) {
    auto result = MakeResult();
    result->nChassis = 2;
    result->AmpOfChassis = {0, -1, -1, -1, -1, -1, -1, -1, -1};
    result->HasTime = {true, true, false};
    TFormExport dialog(*result, QString::fromStdString(dir.path().string()));
    const std::string path = dir.file("step.exp");
    TFormExport::SetFileChooser([&](QWidget*, const QString&) { return FromStoreText(path); });
    answer = 3; // driver 2: no amplifier, no time curves
    EXPECT_FALSE(dialog.Export(ExportCurve::Step));
    EXPECT_EQ(messages.back().left(33), "This driver is not used in any cr");
    answer = 2; // driver 1
    EXPECT_TRUE(dialog.Export(ExportCurve::Step));
    EXPECT_EQ(messages.back(), "Whole speaker or which driver?");
    EXPECT_EQ(test::ReadWholeFile(path).rfind("# Step response of driver 1 on axis", 0), 0u);
    answer = 4; // Abort
    EXPECT_FALSE(dialog.Export(ExportCurve::Impulse));
    TFormExport::SetFileChooser({});
}

TEST_F(Dialogs, EveryChartOfTheDefaultProjectIsDrawn) {
    auto project = std::make_unique<TProjekt>();
    ResetProject(*project);
    ASSERT_TRUE(
        LoadProjectFile(*project, std::string(TAVREL_EXAMPLES_DIR) + "/Default.TVP").loaded);
    TCalcEngine engine;
    engine.CalculateAll(*project);
    auto result = MakeResult();
    *result = engine.Result();
    result->Valid = true;
    const QImage placeholder =
        LoadPlaceholderPicture(QString::fromStdString(std::string(TAVREL_SOURCE_DIR) + "/data"));
    ASSERT_FALSE(placeholder.isNull());
    auto invalid = MakeResult();
    *invalid = *result;
    invalid->Valid = false;
    for (const char* chart :
         {"response", "directions-up", "directions-left", "directions-down", "directions-right",
          "driver 1", "driver 2", "phase", "umax", "maxspl", "voltage", "directivity", "groupdelay",
          "impulse", "step", "polar 60"}) {
        const RenderedChart drawn =
            RenderChartImage(chart, *result, *project, QSize(640, 400), placeholder);
        ASSERT_FALSE(drawn.image.isNull()) << chart << ": " << drawn.error.toStdString();
        // The same chart without valid results shows no curves: the curves are what differs.
        const RenderedChart empty =
            RenderChartImage(chart, *invalid, *project, QSize(640, 400), placeholder);
        int differing = 0;
        for (int y = 0; y < drawn.image.height(); ++y) {
            for (int x = 0; x < drawn.image.width(); ++x) {
                differing += drawn.image.pixel(x, y) != empty.image.pixel(x, y) ? 1 : 0;
            }
        }
        EXPECT_GT(differing, 300) << chart;
    }
}

} // namespace
} // namespace tavrel
