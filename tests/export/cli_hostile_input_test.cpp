// tavrel-cli on projects and arguments an attacker or a typo would give it: every command that
// cannot give a right result says why on standard error, exits non-zero and writes nothing.
#include "support/cli_run.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tavrel {
namespace {

namespace fs = std::filesystem;

/// The plain default project with the first occurrence of each `from` replaced by its `to`.
std::string editedDefault(const std::vector<std::pair<std::string, std::string>>& edits) {
    std::string text =
        test::ReadWholeFile(fs::path(TAVREL_SOURCE_DIR) / "data/examples/Default.TVP.plain");
    for (const auto& [from, to] : edits) {
        const auto at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
    }
    return text;
}

struct BrokenProject {
    const char* name;
    std::vector<std::pair<std::string, std::string>> edits;
    const char* error; ///< part of the error list on standard error
};

class CliBrokenProject : public ::testing::TestWithParam<BrokenProject> {};

TEST_P(CliBrokenProject, EveryCalculatingCommandFailsAndWritesNothing) {
    const test::ScratchDir dir("hostile");
    const fs::path project = dir / "broken.plain";
    std::ofstream(project, std::ios::binary) << editedDefault(GetParam().edits);
    const std::string in = " --plain \"" + project.string() + "\" ";
    const fs::path out = dir / "out.exp";
    const fs::path png = dir / "out.png";
    for (const std::string& command :
         {"export" + in + "speaker -o \"" + out.string() + "\"", "export" + in + "signal 1",
          "export" + in + "pmax", "judge" + in,
          "render" + in + "response -o \"" + png.string() + "\""}) {
        const test::CliRun run = test::RunCli(dir, command);
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_NE(run.err.find(GetParam().error), std::string::npos) << command << run.err;
        EXPECT_EQ(run.out.find("inf"), std::string::npos) << command;
        EXPECT_EQ(run.out.find("nan"), std::string::npos) << command;
    }
    EXPECT_FALSE(fs::exists(out));
    EXPECT_FALSE(fs::exists(png));
    // --force writes the curve anyway, but a non-finite one never, and the status stays 1.
    const test::CliRun forced =
        test::RunCli(dir, "export --force" + in + "signal 1 -o \"" + out.string() + "\"");
    EXPECT_EQ(forced.status, 1);
    const std::string written = test::ReadWholeFile(out);
    EXPECT_EQ(written.find("inf"), std::string::npos);
    EXPECT_EQ(written.find("nan"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Hostile, CliBrokenProject,
    ::testing::Values(
        BrokenProject{"fs0", {{"fs=\t31,5", "fs=\t0"}}, "fs, Rdc, Qes, Qms, Vas, Sd must be > 0"},
        BrokenProject{"Qes0", {{"Qes=\t0,32", "Qes=\t0"}}, "must be > 0"},
        BrokenProject{"hugeVas", {{"Vas=\t0,046", "Vas=\t1e300"}}, "must be  > 0"},
        BrokenProject{"hugeLevel", {{"Pegel=\t1", "Pegel=\t1e308"}}, "Cannot calculate speaker"},
        BrokenProject{"zeroBaffle",
                      {{"\na=\t0,12", "\na=\t0"},
                       {"\nb=\t0,2", "\nb=\t0"},
                       {"\nc=\t0,1", "\nc=\t0"},
                       {"\nh=\t0,35", "\nh=\t0"}},
                      "Dimensions a, b, c and h on baffle have to be >0"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(CliHostileInput, FilesThatAreNoProjectAreRefusedByName) {
    const test::ScratchDir dir("hostile");
    const std::vector<std::pair<const char*, std::string>> files = {
        {"text.TVP", "just some words\r\nand more\r\n"},
        {"empty.TVP", ""},
        {"junk.TVP", std::string("\0\x13\xff\x01junk", 8)}};
    for (const auto& [name, bytes] : files) {
        const fs::path path = dir / name;
        std::ofstream(path, std::ios::binary) << bytes;
        for (const char* form : {"", " --plain"}) {
            const std::string in = form + std::string(" \"") + path.string() + "\"";
            const test::CliRun calc = test::RunCli(dir, "calc" + in);
            EXPECT_EQ(calc.status, 2) << name << form;
            EXPECT_NE(calc.err.find("is not a valid project file for Tavrel."), std::string::npos)
                << name << form << calc.err;
            EXPECT_EQ(test::RunCli(dir, "export" + in + " speaker").status, 1) << name << form;
        }
    }
}

TEST(CliHostileInput, ExtremeNumbersOnTheCommandLineAreRefused) {
    const test::ScratchDir dir("hostile");
    const std::string project = "\"" + std::string(TAVREL_EXAMPLES_DIR) + "/Default.TVP\"";
    for (const char* curve : {"signal", "driver", "ampz", "chassisz", "chassisu", "direction"}) {
        const test::CliRun run =
            test::RunCli(dir, "export " + project + " " + curve + " -2147483648");
        EXPECT_EQ(run.status, 1) << curve;
        EXPECT_NE(run.err.find("does not exist"), std::string::npos) << curve << run.err;
    }
    if (test::RunCli(dir, "--help").out.find("render") != std::string::npos) {
        const test::CliRun huge =
            test::RunCli(dir, "render " + project + " response -o \"" + (dir / "x.png").string() +
                                  "\" --width 20000 --height 20000");
        EXPECT_EQ(huge.status, 2);
        EXPECT_NE(huge.err.find("16 to 8000"), std::string::npos);
    }
}

} // namespace
} // namespace tavrel
