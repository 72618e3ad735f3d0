// Parts files, the library's preselection and entry choice, and the part editor's rules.
#include "editor/part_editor_rules.h"
#include "editor/parts_library.h"
#include "model/projekt.h"

#include <gtest/gtest.h>
#include <memory>

namespace tavrel {
namespace {

struct LineCase {
    const char* line;
    PartsPage page;
    const char* text; ///< nullptr: the line is skipped
    double value;
};

class PartsLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(PartsLine, BecomesItsKindsEntryOrIsSkipped) {
    PartsLists lists;
    AddPartsText(lists, GetParam().line);
    const auto& page = lists.page(GetParam().page);
    if (GetParam().text == nullptr) {
        EXPECT_TRUE(lists.pages[0].empty() && lists.pages[1].empty() && lists.pages[2].empty());
        return;
    }
    ASSERT_EQ(page.size(), 1u);
    EXPECT_EQ(page[0].text, GetParam().text);
    EXPECT_DOUBLE_EQ(page[0].value, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, PartsLine,
    ::testing::Values(LineCase{"r;R1;4,7", PartsPage::Resistors, "R1:4,7 ohm", 4.7},
                      LineCase{"C\tMKP 10\t10\r", PartsPage::Capacitors,
                               "MKP 10:10 \xB5"
                               "F",
                               10.0},
                      LineCase{"L;AC 1,0;1.0;0,35", PartsPage::Inductances,
                               "AC 1,0:1.0 mH, 0,35 ohm", 1.0},
                      LineCase{"L;X;0;0", PartsPage::Inductances, PartsSeparatorText, 0.0},
                      LineCase{"R;neg;-1", PartsPage::Resistors, PartsSeparatorText, -1.0},
                      LineCase{"Q;R1;4,7", PartsPage::Resistors, nullptr, 0.0},
                      LineCase{"RR;R1;4,7", PartsPage::Resistors, nullptr, 0.0},
                      LineCase{"R;\x01\x02\x7f;1", PartsPage::Resistors, nullptr, 0.0},
                      LineCase{"# comment line", PartsPage::Resistors, nullptr, 0.0}));

TEST(PartsText, KeepsTheFirst1001OfAKindAndCountsTheRest) {
    std::string text;
    for (int i = 0; i < 1005; ++i) {
        text += "R;R" + std::to_string(i) + ";1\n";
    }
    text += "R;" + std::string(5000, 'x') + ";1\nC;c;1\n" + std::string(300, '\0');
    PartsLists lists;
    AddPartsText(lists, text);
    EXPECT_EQ(lists.page(PartsPage::Resistors).size(), 1001u);
    EXPECT_EQ(lists.page(PartsPage::Resistors).back().text, "R1000:1 ohm");
    EXPECT_EQ(lists.leftOut[0], 4);
    EXPECT_EQ(lists.page(PartsPage::Capacitors).size(), 1u);
}

TEST(PartsDirectory, MissingDirectoryGivesEmptyLists) {
    const PartsLists lists = ReadPartsDirectory("/nonexistent/parts/dir");
    EXPECT_TRUE(lists.pages[0].empty() && lists.pages[1].empty() && lists.pages[2].empty());
}

TEST(PartsLibrary, PreselectsTheLastExactMatchAndChoosesItsNumbers) {
    PartsLists lists;
    AddPartsText(lists, "L;A;1;0,3\nL;A;1;0,2\nL;A;1;0,3\nL;B;1;0,3\nL;X;0;0\n");
    EXPECT_EQ(PreselectedEntry(lists, PartsPage::Inductances, {4, "A", 1.0, 0.3}), 2);
    EXPECT_EQ(PreselectedEntry(lists, PartsPage::Inductances, {4, "", 1.0, 0.2}), 1);
    EXPECT_EQ(PreselectedEntry(lists, PartsPage::Inductances, {4, "A", 1.1, 0.3}), -1);
    const ChosenPart chosen = ChooseEntry(lists, PartsPage::Inductances, 3);
    EXPECT_EQ(chosen.kind, 4);
    EXPECT_EQ(chosen.name, "B");
    EXPECT_DOUBLE_EQ(chosen.resistance, 0.3);
    const ChosenPart separator = ChooseEntry(lists, PartsPage::Inductances, 4);
    EXPECT_EQ(separator.kind, 1);
    EXPECT_EQ(separator.name, "");
}

TEST(PartEditor, ShowsValuesInTheFieldUnitAndSelectsAnExistingDriver) {
    const TWeichePart capacitor{.typ = PartCapacitor, .chassisnr = 5, .value = 4.7e-6};
    const PartEditorFields fields = FieldsForPart(capacitor, 2);
    EXPECT_EQ(fields.value, "4,7");
    EXPECT_EQ(fields.driverIndex, 1);
    EXPECT_EQ(FieldsForPart(capacitor, 0).driverIndex, -1);
    EXPECT_STREQ(ControlsForType(PartInductance).unit, "mH");
    EXPECT_TRUE(ControlsForType(PartInductance).rvalue);
    EXPECT_FALSE(ControlsForType(PartAmpOutput).driverList);
}

struct OkCase {
    PartEditorFields fields;
    TWeichePart expected;
};

class PartEditorOk : public ::testing::TestWithParam<OkCase> {};

TEST_P(PartEditorOk, StoresThePartTheFieldsDescribe) {
    const TWeichePart original{.typ = PartResistor, .bem = "old", .bOpti = true};
    EXPECT_EQ(PartFromFields(original, GetParam().fields), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PartEditorOk,
    ::testing::Values(
        OkCase{{PartResistor, "8,2", "3", "twenty characters!!", true, false, 0},
               {.typ = PartResistor,
                .verpolt = -1,
                .value = 8.2,
                .bem = "twenty character",
                .bOpti = true}},
        OkCase{{PartInductance, "1,5", "0,4", "L1", false, true, 1},
               {.typ = PartInductance,
                .verpolt = 1,
                .chassisnr = 1,
                .value = 0.0015,
                .Rvalue = 0.4,
                .bem = "L1"}},
        OkCase{{PartWire, "", "", "x", true, false, -1},
               {.typ = PartWire, .verpolt = -1, .chassisnr = -1, .value = 0.0, .bem = "old"}},
        OkCase{{PartDriver, "", "", "", false, true, 1},
               {.typ = PartDriver, .verpolt = 1, .chassisnr = 1, .value = 0.0, .bem = "old"}}));

} // namespace
} // namespace tavrel
