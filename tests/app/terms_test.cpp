#include "app/data_directory.h"
#include "app/terms.h"
#include "foundation/my_ini_file.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

namespace tavrel {
namespace {

class Terms : public ::testing::Test {
protected:
    std::string read(const char* key) {
        TMyIniFile store(path, false, false, true);
        return store.ReadString("Update", key, "<none>");
    }
    test::ScratchDir dir{"terms"};
    const std::string path = dir.file("Tavrel.ini");
    const Date today{2026, 12, 6};
};

TEST_F(Terms, FirstStartAsksAndAnAcceptedVersionIsNotAskedAgain) {
    EXPECT_EQ(CheckTerms(path, "0.1", today), TermsStep::AskTerms);
    ASSERT_EQ(RecordTermsAnswer(path, "0.1", true, today), "");
    EXPECT_EQ(read("version"), "0.1");
    EXPECT_EQ(read("LastInfo"), "06.12.2026");
    EXPECT_EQ(CheckTerms(path, "0.1", Date{2027, 6, 7}), TermsStep::None); // 183 days later
    EXPECT_EQ(CheckTerms(path, "0.2", today), TermsStep::AskTerms);
}

TEST_F(Terms, DeclinedTermsLeaveAnEmptyVersion) {
    ASSERT_EQ(RecordTermsAnswer(path, "0.1", false, today), "");
    EXPECT_EQ(read("version"), "");
    EXPECT_EQ(read("LastInfo"), "<none>");
    EXPECT_EQ(CheckTerms(path, "0.1", today), TermsStep::AskTerms);
}

TEST_F(Terms, ReminderAfterHalfAYearRenewsTheDate) {
    ASSERT_EQ(RecordTermsAnswer(path, "0.1", true, today), "");
    const Date later{2027, 6, 8}; // 184 days
    EXPECT_EQ(DaysBetween(today, later), 184);
    EXPECT_EQ(CheckTerms(path, "0.1", later), TermsStep::ShowReminder);
    EXPECT_EQ(read("LastInfo"), "08.06.2027");
    EXPECT_EQ(CheckTerms(path, "0.1", later), TermsStep::None);
}

// Settings go beside the program only in a build tree or portable folder, never into an installed
// bin/.
TEST(SettingsPlace, InstalledProgramKeepsItsSettingsOutOfItsFolder) {
    test::ScratchDir dir("layout");
    std::filesystem::create_directories(dir / "bin");
    const auto beside = [&] {
        return SettingsBesideProgram(dir.file("bin"), DataDirectory(dir.file("bin")), true);
    };
    EXPECT_TRUE(beside());
    std::filesystem::create_directories(dir / "share" / "tavrel");
    std::ofstream(dir / "share" / "tavrel" / "Default.TVP") << "project";
    EXPECT_FALSE(beside()); // root, or a bin/ anyone may write
}

} // namespace
} // namespace tavrel
