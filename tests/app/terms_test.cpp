#include "app/terms.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "foundation/my_ini_file.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;

class Terms : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("tavrel-terms-" + std::string(::testing::UnitTest::GetInstance()
                                                  ->current_test_info()
                                                  ->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        path = (dir / "Tavrel.ini").string();
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string read(const char* key) {
        TMyIniFile store(path, false, false, true);
        return store.ReadString("Update", key, "<none>");
    }
    fs::path dir;
    std::string path;
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

} // namespace
} // namespace tavrel
