// Where the bundled data and the settings file are found: a build tree or portable folder keeps
// both beside the program, an installed layout has its data in share/tavrel and never writes
// settings into bin/.
#include "app/data_directory.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

namespace tavrel {
namespace {

TEST(DataDirectory, InstalledLayoutKeepsSettingsOutOfTheProgramFolder) {
    test::ScratchDir dir("layout");
    const std::string bin = dir.file("bin");
    std::filesystem::create_directories(dir / "bin");
    EXPECT_EQ(DataDirectory(bin), bin);
    EXPECT_TRUE(SettingsBesideProgram(bin, true));
    EXPECT_FALSE(SettingsBesideProgram(bin, false));

    std::filesystem::create_directories(dir / "share" / "tavrel");
    std::ofstream(dir / "share" / "tavrel" / "Default.TVP") << "project";
    EXPECT_EQ(DataDirectory(bin), (dir / "share" / "tavrel").string());
    EXPECT_FALSE(SettingsBesideProgram(bin, true)); // root, or a bin/ anyone may write
    EXPECT_FALSE(SettingsBesideProgram(bin, false));
}

} // namespace
} // namespace tavrel
