// The editor's scalings, its fill-and-apply round trip, and the rules of its commands.
#include "driver_editor/derived_data.h"
#include "driver_editor/driver_editor_actions.h"
#include "driver_editor/editor_controls.h"
#include "foundation/number_text.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace tavrel {
namespace {

struct ScalingCase {
    const char* name;
    double stored;
    const char* shown;
    const char* typed;
    double read;
};

class FieldScaling : public ::testing::TestWithParam<ScalingCase> {};

TEST_P(FieldScaling, ShowsAndReadsBackInDisplayUnits) {
    const ScalingCase& c = GetParam();
    auto records = std::make_unique<DriverRecords>();
    const NumberField* field = FindNumberField(c.name);
    ASSERT_NE(field, nullptr);
    *field->value(*records) = c.stored;
    EXPECT_EQ(FieldText(*field, *records), c.shown);
    ApplyFieldText(*field, c.typed, *records);
    EXPECT_DOUBLE_EQ(*field->value(*records), c.read);
}

INSTANTIATE_TEST_SUITE_P(Fields, FieldScaling,
                         ::testing::Values(ScalingCase{"EditVas", 0.0125, "12,5", "12.5", 0.0125},
                                           ScalingCase{"EditAmem", 0.0133, "133", "133", 0.0133},
                                           ScalingCase{"EditLe2", 0.0012, "1,2", "1,2", 0.0012},
                                           ScalingCase{"Edita", 0.25, "25", "x", 0},
                                           ScalingCase{"Edit_Gewicht", 1.5, "1500", "750", 0.75},
                                           ScalingCase{"Editfs", 40, "40", "41,5", 41.5}));

class EditorRoundTrip : public ::testing::Test {
protected:
    void SetUp() override {
        records->chassis.Name = "Woofer";
        records->chassis.fs = 40.1;
        records->chassis.Vas = 0.1133;
        records->chassis.fgang_which = 5;
        records->chassis.FgangAPF[0] = 100;
        records->chassis.FgangAP[0] = 3.141592653589793 / 4;
        records->chassis.FgangIF[0] = 20;
        records->chassis.FgangI[0] = 5.76888069327491;
        records->einbau.Typ = EinbauVented;
        records->einbau.Bedv = 7; // outside the slider's range
    }
    std::unique_ptr<DriverRecords> records = std::make_unique<DriverRecords>();
};

TEST_F(EditorRoundTrip, UntouchedControlsLeaveTheRecordsEqual) {
    const auto before = std::make_unique<DriverRecords>(*records);
    const EditorControls filled = FillControls(*records);
    ApplyControls(filled, filled, *records);
    EXPECT_TRUE(*records == *before);
}

TEST_F(EditorRoundTrip, EditedControlsReachTheRecords) {
    const EditorControls filled = FillControls(*records);
    EXPECT_EQ(filled.tables[1][0][1], "45");
    EditorControls shown = filled;
    shown.texts["EditVas"] = "12.5";
    shown.texts["EditName"] = "A name much longer than twenty-two characters";
    shown.tables[1][0][1] = "45";
    shown.tables[1].push_back({"200", "-90"});
    shown.lists["ListFgangWhich"] = 0;
    shown.typ = EinbauClosed;
    ApplyControls(shown, filled, *records);
    EXPECT_DOUBLE_EQ(records->chassis.Vas, 0.0125);
    EXPECT_EQ(records->chassis.Name.size(), 22u);
    EXPECT_DOUBLE_EQ(records->chassis.FgangAP[0], 45 * 0.017453292519943295);
    EXPECT_DOUBLE_EQ(records->chassis.FgangAPF[1], 200);
    EXPECT_EQ(MeasuredCount(records->chassis.FgangAPF), 2);
    EXPECT_EQ(records->chassis.fgang_which, 1);
    EXPECT_EQ(records->einbau.Typ, EinbauClosed);
    EXPECT_DOUBLE_EQ(records->chassis.FgangI[0], 5.76888069327491); // untouched table
}

TEST(DriverTableRows, StopAtTheFirstFrequencyOutsideTheShownRange) {
    auto chassis = std::make_unique<TChassis>();
    chassis->FgangAF[0] = 20;
    chassis->FgangAF[1] = 2e6;
    chassis->FgangAF[2] = 30;
    EXPECT_EQ(MeasuredTableRows(MeasuredTables()[0], *chassis).size(), 1u);
}

TEST(DriverEditorActions, SaveNamesEndInUpperCaseTvc) {
    EXPECT_EQ(DriverSaveName("Woofer"), "Woofer.TVC");
    EXPECT_EQ(DriverSaveName("woofer.tvc"), "woofer.TVC");
    EXPECT_EQ(DriverSaveName("a.tvc.txt"), "a.tvc.txt.TVC");
}

TEST(DriverEditorActions, ALoadedDriverSetsTheBaffleDiameterAndShape) {
    auto records = std::make_unique<DriverRecords>();
    records->chassis.Amem = 0.0133;
    records->chassis.Membranform = 1;
    AdoptLoadedDriver(*records);
    EXPECT_DOUBLE_EQ(records->baffle.d, 0.999 * std::sqrt(4 * 0.0133 / 3.141592653589793));
    EXPECT_EQ(records->baffle.Membranform, 1);
}

TEST(DriverEditorActions, LevelChangeMovesOnlyTheMeasuredPoints) {
    auto chassis = std::make_unique<TChassis>();
    chassis->FgangAF[0] = 0.0005;
    chassis->FgangAF[1] = 100;
    chassis->FgangA[1] = 85;
    chassis->FgangA[2] = 1;
    ModifyLevel(*chassis, -3);
    EXPECT_DOUBLE_EQ(chassis->FgangA[0], 0);
    EXPECT_DOUBLE_EQ(chassis->FgangA[1], 82);
    EXPECT_DOUBLE_EQ(chassis->FgangA[2], 1);
}

TEST(DerivedData, MissingParametersShowQuestionMarks) {
    auto records = std::make_unique<DriverRecords>();
    std::vector<std::string> lines = DerivedDataLines(records->chassis);
    EXPECT_EQ(lines[12], "Qts = ?");
    EXPECT_NE(MassHintText(records->chassis, records->einbau)
                  .find("<Data cannot be calculated due to missing TS parameters>"),
              std::string::npos);
    records->chassis.fs = 40;
    records->chassis.Qes = 0.4;
    records->chassis.Qms = 4;
    records->chassis.Vas = 0.05;
    records->chassis.Re = 6;
    records->chassis.Amem = 0.02;
    records->einbau.Typ = EinbauClosed;
    records->einbau.Vb = 0.05;
    RefreshDerived(*records);
    lines = DerivedDataLines(records->chassis);
    EXPECT_EQ(lines[12], "Qts = 0,36364"); // 0.4 · 4 / 4.4
    EXPECT_EQ(lines[14], "Vab = " + FloatToWidth(7, records->chassis.Vab * 1000) + " liter");
    EXPECT_EQ(MassHintText(records->chassis, records->einbau).find("<Data"), std::string::npos);
}

} // namespace
} // namespace tavrel
