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

using ConvertCommand = test::CliTest;

int lineCount(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

TEST_F(ConvertCommand, WrongCommandLinesAreStatusTwo) {
    EXPECT_EQ(run("convert --help").status, 0);
    EXPECT_EQ(run("frobnicate").status, 2);
    EXPECT_EQ(run("convert only-one.TVP").status, 2);
    EXPECT_EQ(run("convert a.TVP b.TVP --to zipped").status, 2);
}

TEST_F(ConvertCommand, ConvertsProjectsBothWays) {
    auto p = test::FullProjekt();
    ASSERT_TRUE(WriteProjekt(*p, dir.file("in.tvp"), true).ok); // extension in any case
    const test::CliRun toPlain = run("convert " + quoted(dir.file("in.tvp")) + " " +
                                     quoted(dir.file("mid.TVP.plain")) + " --to plain");
    ASSERT_EQ(toPlain.status, 0) << toPlain.err;
    EXPECT_TRUE(test::ReadWholeFile(dir.file("mid.TVP.plain")).starts_with("## MyIniFile 1.0"));

    const test::CliRun toCoded =
        run("convert " + quoted(dir.file("mid.TVP.plain")) + " " + quoted(dir.file("out.TVP")));
    ASSERT_EQ(toCoded.status, 0) << toCoded.err;
    EXPECT_EQ(test::ReadWholeFile(dir.file("out.TVP")), test::ReadWholeFile(dir.file("in.tvp")));
}

TEST_F(ConvertCommand, DriverToStandardOutputKeepsItsFileName) {
    auto d = test::FullDriver(1);
    ASSERT_TRUE(SaveChassisFile(*d, dir.file("Mid.TVC")).ok);
    const test::CliRun result = run("convert " + quoted(dir.file("Mid.TVC")) + " - --to plain");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("OrgFilename=\tMid.TVC"), std::string::npos);
    EXPECT_NE(result.out.find("Name=\tDriver 1"), std::string::npos);

    const test::CliRun toFile =
        run("convert " + quoted(dir.file("Mid.TVC")) + " " + quoted(dir.file("Other.TVC")));
    ASSERT_EQ(toFile.status, 0) << toFile.err;
    auto back = std::make_unique<TChassis>();
    ASSERT_TRUE(LoadChassisFile(*back, dir.file("Other.TVC")).ok);
    EXPECT_EQ(back->OrgFilename.view(), "Other.TVC");
    EXPECT_EQ(back->Name, d->Name);
}

TEST_F(ConvertCommand, FailuresReportOneLineAndCreateNothing) {
    test::WriteWholeFile(dir.file("text.TVP"), "no store here\r\n");
    test::WriteWholeFile(dir.file("old.TVC.plain"),
                         "## MyIniFile 1.0\r\n#Header\r\nVersion=1003\r\n#Chassis\r\nName=x\r\n");
    test::WriteWholeFile(dir.file("new.TVP.plain"),
                         "## MyIniFile 1.0\r\n#Header\r\nVersion=1300\r\n");
    const std::string cases[] = {
        "convert " + quoted(dir.file("missing.TVP")) + " " + quoted(dir.file("out.TVP")),
        "convert " + quoted(dir.file("text.TVP")) + " " + quoted(dir.file("out.TVP")),
        "convert " + quoted(dir.file("old.TVC.plain")) + " " + quoted(dir.file("out.TVP")) +
            " --from plain",
        "convert " + quoted(dir.file("new.TVP.plain")) + " " + quoted(dir.file("out.TVP")) +
            " --from plain",
        // the form comes from the content, whatever --from says
        "convert " + quoted(dir.file("new.TVP.plain")) + " " + quoted(dir.file("out.TVP")) +
            " --from coded",
    };
    for (const std::string& arguments : cases) {
        const test::CliRun result = run(arguments);
        EXPECT_EQ(result.status, 1) << arguments;
        EXPECT_EQ(lineCount(result.err), 1) << result.err;
        EXPECT_FALSE(fs::exists(dir.file("out.TVP"))) << arguments;
    }
    const test::CliRun wrongVersion = run(cases[3]);
    EXPECT_NE(wrongVersion.err.find("File has wrong format.."), std::string::npos);
}

TEST_F(ConvertCommand, UnwritableTargetFails) {
    auto d = test::FullDriver(2);
    ASSERT_TRUE(SaveChassisFile(*d, dir.file("d.TVC")).ok);
    const test::CliRun result =
        run("convert " + quoted(dir.file("d.TVC")) + " " + quoted(dir.file("no/dir/d.TVC")));
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(lineCount(result.err), 1);
}

} // namespace
} // namespace tavrel
