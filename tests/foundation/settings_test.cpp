// The settings file: defaults on first start, directories, editor keys and the option block.
#include "foundation/settings.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>
#include <string>

namespace tavrel {
namespace {

using test::ScratchDir;

const std::string HeaderLine = "## MyIniFile 1.0 by ZQ 2004 ##\r\n";

class SettingsTest : public ::testing::Test {
protected:
    std::string programDir() const { return m_dir.path().string() + PathSeparator; }
    std::string iniPath() const { return m_dir.file("Tavrel.ini"); }
    void writeIni(const std::string& body) const {
        test::WriteWholeFile(iniPath(), HeaderLine + body);
    }
    TSettings load() const {
        TSettings settings;
        settings.ProgramDir = programDir();
        LoadSettings(settings);
        return settings;
    }

    ScratchDir m_dir{"ini"};
};

TEST_F(SettingsTest, FirstStartUsesDefaultsAndCreatesTheFileOnSave) {
    TSettings settings;
    settings.ProgramDir = m_dir.path().string(); // without its separator
    LoadSettings(settings);
    const std::string dir = programDir();
    EXPECT_EQ(settings.ProgramDir, dir);
    EXPECT_EQ(settings.SettingsPath, dir + "Tavrel.ini");
    EXPECT_EQ(settings.DriverDir, dir + "Chassis" + PathSeparator);
    EXPECT_EQ(settings.ProjectDir, dir + "Projekte" + PathSeparator);
    EXPECT_EQ(settings.PartsDir, dir + "Weichenbauteile" + PathSeparator);
    EXPECT_EQ(settings.ReportDir, dir + "Reports" + PathSeparator);
    EXPECT_EQ(settings.PublicationDir, dir + "Publikationen" + PathSeparator);
    EXPECT_EQ(settings.KitDir, dir + "Baus\xE4tze" + PathSeparator);
    EXPECT_FALSE(settings.Verzeichnisvorgaben);
    EXPECT_EQ(settings.WEsize, 2);
    EXPECT_EQ(settings.TBWEopti, 424531);
    EXPECT_FALSE(settings.UseOption);
    EXPECT_FALSE(std::filesystem::exists(iniPath()));

    const StoreCloseResult result = SaveSettings(settings);
    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(test::ReadWholeFile(iniPath()),
              HeaderLine + "#Verzeichnisse\r\nVerzeichnisvorgaben=\t0\r\n"
                           "#Optionen\r\nTBWEopti=\t424531\r\nWEsize=\t2\r\nTuningSeries=\t12\r\n"
                           "#Charts\r\nInputVolts=\t2,83\r\nVentVelocityLimit=\t17\r\n");
}

TEST_F(SettingsTest, ChartLevelIsKeptWhenItIsAPositiveNumber) {
    writeIni("#Charts\r\nInputVolts=20\r\nVentVelocityLimit=-1\r\n");
    EXPECT_EQ(load().InputVolts, 20);
    EXPECT_EQ(load().VentVelocityLimit, 17);
}

TEST_F(SettingsTest, OldTBWEValueGivesTheDerivedDefault) {
    writeIni("#Optionen\r\nTBWE=123456\r\n");
    EXPECT_EQ(load().TBWEopti, 123556);
    writeIni("#Optionen\r\nTBWE=123456\r\nTBWEopti=111111\r\nWEsize=3\r\n");
    EXPECT_EQ(load().TBWEopti, 111111);
    EXPECT_EQ(load().WEsize, 3);
    writeIni("#Optionen\r\nTuningSeries=24\r\n");
    EXPECT_EQ(load().TuningSeries, 24);
    writeIni("#Optionen\r\nTuningSeries=7\r\n"); // not a series: the default
    EXPECT_EQ(load().TuningSeries, 12);
    EXPECT_EQ(TBWEoptiFromTBWE(424231), 424531);
    EXPECT_EQ(TBWEoptiFromTBWE(7), 507);
}

TEST_F(SettingsTest, StoredDirectoriesApplyOnlyWithVerzeichnisvorgaben) {
    const std::string body = "#Verzeichnisse\r\nVerzeichnisvorgaben=1\r\nChassis=/data/drivers/\r\n"
                             "Baus\xE4tze=/data/kits/\r\n";
    writeIni(body);
    TSettings settings = load();
    EXPECT_TRUE(settings.Verzeichnisvorgaben);
    EXPECT_EQ(settings.DriverDir, "/data/drivers/");
    EXPECT_EQ(settings.KitDir, "/data/kits/");
    EXPECT_EQ(settings.ProjectDir, programDir() + "Projekte" + PathSeparator);

    writeIni("#Verzeichnisse\r\nVerzeichnisvorgaben=0\r\nChassis=/data/drivers/\r\n");
    EXPECT_EQ(load().DriverDir, programDir() + "Chassis" + PathSeparator);
}

TEST_F(SettingsTest, ClearingVerzeichnisvorgabenDeletesTheDirectoryKeys) {
    writeIni("#Verzeichnisse\r\nVerzeichnisvorgaben=1\r\nChassis=/a/\r\nProjekte=/b/\r\n"
             "Weichenbauteile=/c/\r\nReports=/d/\r\nPublikationen=/e/\r\nBaus\xE4tze=/f/\r\n"
             "#Update\r\nAccepted=1.0\r\n");
    TSettings settings = load();
    settings.Verzeichnisvorgaben = false;
    ASSERT_TRUE(SaveSettings(settings).ok);
    LoadSettings(settings);
    EXPECT_EQ(settings.DriverDir, programDir() + "Chassis" + PathSeparator);

    TMyIniFile store(iniPath(), false, false, true);
    EXPECT_EQ(store.Sections()[0].Keys, (std::vector<std::string>{"Verzeichnisvorgaben"}));
    EXPECT_EQ(store.ReadString("Update", "Accepted", ""), "1.0");
}

TEST_F(SettingsTest, DirectoriesAreSavedWithATrailingSeparator) {
    TSettings settings = load();
    settings.Verzeichnisvorgaben = true;
    settings.DriverDir = "/home/user/drivers";
    settings.ReportDir = "/home/user/reports/";
    ASSERT_TRUE(SaveSettings(settings).ok);
    EXPECT_EQ(settings.DriverDir, "/home/user/drivers/");
    TSettings back = load();
    EXPECT_EQ(back.DriverDir, std::string("/home/user/drivers") + PathSeparator);
    EXPECT_EQ(back.ReportDir, "/home/user/reports/");
    EXPECT_EQ(back.KitDir, settings.KitDir);
}

TEST_F(SettingsTest, ProgramWideOptionBlockIsReadOnlyWhenUsed) {
    writeIni("#Option\r\nUseOption=1\r\nsz=5\r\nfMin=30\r\nfMax=18000\r\nColorSetAmps=42\r\n");
    TSettings settings = load();
    EXPECT_TRUE(settings.UseOption);
    EXPECT_EQ(settings.Option.sz, 84);
    EXPECT_EQ(settings.Option.fMin, 30.0);
    EXPECT_EQ(settings.Option.ColorSetAmps[0], 42U);
    EXPECT_EQ(settings.Option.ColorSetAmps[1], Rgb(128, 0, 0));

    writeIni("#Option\r\nUseOption=0\r\nsz=200\r\n");
    TSettings previous;
    previous.ProgramDir = programDir();
    previous.Option.sz = 99;
    LoadSettings(previous);
    EXPECT_FALSE(previous.UseOption);
    EXPECT_EQ(previous.Option.sz, 99); // keeps its previous content
}

TEST_F(SettingsTest, WrongHeaderIsNeitherReadNorOverwritten) {
    const std::string foreign = "[Verzeichnisse]\r\nWEsize=3\r\n";
    test::WriteWholeFile(iniPath(), foreign);
    std::string message;
    TMyIniFile::SetMessageHandler([&](const std::string& text) { message = text; });
    TSettings settings = load();
    EXPECT_EQ(message, "Falsches Dateiformat bei \n" + iniPath());
    EXPECT_EQ(settings.WEsize, 2);
    settings.WEsize = 1;
    const StoreCloseResult result = SaveSettings(settings);
    TMyIniFile::SetMessageHandler(nullptr);
    EXPECT_FALSE(result.saved);
    EXPECT_EQ(test::ReadWholeFile(iniPath()), foreign);
}

TEST_F(SettingsTest, FailedSaveReportsItsReason) {
    TSettings settings;
    settings.ProgramDir = m_dir.file("missing-dir");
    LoadSettings(settings);
    EXPECT_EQ(settings.WEsize, 2);
    const StoreCloseResult result = SaveSettings(settings);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("Tavrel.ini"), std::string::npos) << result.error;
}

} // namespace
} // namespace tavrel
