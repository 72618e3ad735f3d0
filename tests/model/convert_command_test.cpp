// tavrel-cli convert, run as the program it is.
#include "model/chassis_file.h"
#include "model/projekt_file.h"
#include "model_test_support.h"
#include "support/cli_run.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace tavrel {
namespace {

namespace fs = std::filesystem;

test::CliRun runCli(const test::TempDir& dir, const std::string& arguments) {
    return test::RunCli(dir.path(""), arguments);
}

std::string q(const std::string& path) {
    return "\"" + path + "\"";
}

int lineCount(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

TEST(ConvertCommand, WrongCommandLinesAreStatusTwo) {
    test::TempDir dir;
    EXPECT_EQ(runCli(dir, "convert --help").status, 0);
    EXPECT_EQ(runCli(dir, "frobnicate").status, 2);
    EXPECT_EQ(runCli(dir, "convert only-one.TVP").status, 2);
    EXPECT_EQ(runCli(dir, "convert a.TVP b.TVP --to zipped").status, 2);
}

TEST(ConvertCommand, ConvertsProjectsBothWays) {
    test::TempDir dir;
    auto p = test::FullProjekt();
    ASSERT_TRUE(WriteProjekt(*p, dir.path("in.tvp"), true).ok); // extension in any case
    const test::CliRun toPlain = runCli(dir, "convert " + q(dir.path("in.tvp")) + " " +
                                                 q(dir.path("mid.TVP.plain")) + " --to plain");
    ASSERT_EQ(toPlain.status, 0) << toPlain.err;
    EXPECT_TRUE(test::ReadFileBytes(dir.path("mid.TVP.plain")).starts_with("## MyIniFile 1.0"));

    const test::CliRun toCoded = runCli(dir, "convert " + q(dir.path("mid.TVP.plain")) + " " +
                                                 q(dir.path("out.TVP")) + " --from plain");
    ASSERT_EQ(toCoded.status, 0) << toCoded.err;
    EXPECT_EQ(test::ReadFileBytes(dir.path("out.TVP")), test::ReadFileBytes(dir.path("in.tvp")));
}

TEST(ConvertCommand, DriverToStandardOutputKeepsItsFileName) {
    test::TempDir dir;
    auto d = test::FullDriver(1);
    ASSERT_TRUE(SaveChassisFile(*d, dir.path("Mid.TVC")).ok);
    const test::CliRun run = runCli(dir, "convert " + q(dir.path("Mid.TVC")) + " - --to plain");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("OrgFilename=\tMid.TVC"), std::string::npos);
    EXPECT_NE(run.out.find("Name=\tDriver 1"), std::string::npos);

    const test::CliRun toFile =
        runCli(dir, "convert " + q(dir.path("Mid.TVC")) + " " + q(dir.path("Other.TVC")));
    ASSERT_EQ(toFile.status, 0) << toFile.err;
    auto back = std::make_unique<TChassis>();
    ASSERT_TRUE(LoadChassisFile(*back, dir.path("Other.TVC"), true).ok);
    EXPECT_EQ(back->OrgFilename.view(), "Other.TVC");
    EXPECT_EQ(back->Name, d->Name);
}

TEST(ConvertCommand, FailuresReportOneLineAndCreateNothing) {
    test::TempDir dir;
    test::WriteFileBytes(dir.path("text.TVP"), "no store here\r\n");
    test::WriteFileBytes(dir.path("old.TVC.plain"),
                         "## MyIniFile 1.0\r\n#Header\r\nVersion=1003\r\n#Chassis\r\nName=x\r\n");
    test::WriteFileBytes(dir.path("new.TVP.plain"),
                         "## MyIniFile 1.0\r\n#Header\r\nVersion=1300\r\n");
    const std::string cases[] = {
        "convert " + q(dir.path("missing.TVP")) + " " + q(dir.path("out.TVP")),
        "convert " + q(dir.path("text.TVP")) + " " + q(dir.path("out.TVP")),
        "convert " + q(dir.path("old.TVC.plain")) + " " + q(dir.path("out.TVP")) + " --from plain",
        "convert " + q(dir.path("new.TVP.plain")) + " " + q(dir.path("out.TVP")) + " --from plain",
        // a plain file read as coded has a wrong header
        "convert " + q(dir.path("new.TVP.plain")) + " " + q(dir.path("out.TVP")),
    };
    for (const std::string& arguments : cases) {
        const test::CliRun run = runCli(dir, arguments);
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_EQ(lineCount(run.err), 1) << run.err;
        EXPECT_FALSE(fs::exists(dir.path("out.TVP"))) << arguments;
    }
    const test::CliRun wrongVersion = runCli(dir, cases[3]);
    EXPECT_NE(wrongVersion.err.find("File has wrong format.."), std::string::npos);
}

TEST(ConvertCommand, UnwritableTargetFails) {
    test::TempDir dir;
    auto d = test::FullDriver(2);
    ASSERT_TRUE(SaveChassisFile(*d, dir.path("d.TVC")).ok);
    const test::CliRun run =
        runCli(dir, "convert " + q(dir.path("d.TVC")) + " " + q(dir.path("no/dir/d.TVC")));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(lineCount(run.err), 1);
}

} // namespace
} // namespace tavrel
