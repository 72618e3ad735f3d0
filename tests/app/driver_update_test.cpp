#include "app/driver_update.h"
#include "model/chassis_file.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>
#include <memory>

namespace tavrel {
namespace {

class DriverUpdate : public ::testing::Test {
protected:
    void SetUp() override {
        project->Name = "Woofer 17 cm";
        project->pubdate = "01.06.2025";
    }
    /// A driver file as the program saves it, then dated `date` by hand.
    void saveDriver(const std::string& file, const std::string& name, const std::string& date) {
        auto driver = std::make_unique<TChassis>();
        driver->Name = name;
        const std::string path = (dir / file).string();
        ASSERT_TRUE(SaveChassisFile(*driver, path, true).ok);
        TMyIniFile store(path, true, true, true);
        store.WriteString("Chassis", "pubdate", date);
        ASSERT_TRUE(store.Close().saved);
    }
    test::ScratchDir dir{"update"};
    std::unique_ptr<TChassis> project = std::make_unique<TChassis>();
};

TEST_F(DriverUpdate, NamesMatchWithoutBlanksDashesBracketsAndCase) {
    EXPECT_EQ(NormalizedDriverName("Woofer-17 (cm)_x"), "WOOFER17CMX");
    saveDriver("a.TVC", "woofer 17cm", "02.06.2025");
    EXPECT_EQ(FindNewerDriverFile(*project, dir.path().string()), (dir / "a.TVC").string());
}

TEST_F(DriverUpdate, OnlyLaterDatesOfTheSameDriverCount) {
    saveDriver("older.TVC", "Woofer 17 cm", "31.05.2025");
    saveDriver("same.tvc", "Woofer 17 cm", "01.06.2025");
    saveDriver("other.TVC", "Tweeter 25 mm", "01.01.2026");
    EXPECT_FALSE(FindNewerDriverFile(*project, dir.path().string()));
    saveDriver("newer.tvc", "Woofer 17 cm", "01.01.2026");
    EXPECT_EQ(FindNewerDriverFile(*project, dir.path().string()), (dir / "newer.tvc").string());
    EXPECT_FALSE(FindNewerDriverFile(*project, (dir / "missing").string()));
}

TEST_F(DriverUpdate, QuestionNamesTheDriver) {
    EXPECT_EQ(DriverUpdateQuestion(*project),
              "The project file may contain an elder version of \r\nthe driver \"Woofer 17 "
              "cm\"Load updated driver file?");
}

} // namespace
} // namespace tavrel
