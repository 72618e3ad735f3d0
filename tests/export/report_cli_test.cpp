// tavrel-cli report: each example's report is a PDF whose text names every part and driver; a
// project with errors gets its error list; bad input leaves no file behind.
#include "editor/part_tuning.h"
#include "optimizer/opti_value.h"
#include "support/cli_run.h"
#include "support/example_project.h"

#include <fstream>
#include <gtest/gtest.h>

namespace tavrel {
namespace {

/// `word` stands in `text` not followed by a digit (R1 is not R12).
bool hasWord(const std::string& text, const std::string& word) {
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
        const std::size_t end = at + word.size();
        if (end == text.size() || !std::isdigit(static_cast<unsigned char>(text[end]))) {
            return true;
        }
    }
    return false;
}

class ReportCli : public test::CliTest, public ::testing::WithParamInterface<const char*> {
protected:
    /// The report's text as pdftotext reads it back.
    std::string reportText(const std::string& project, int expectedStatus) {
        const auto pdf = dir / "report.pdf";
        const test::CliRun r = run("report " + project + " -o " + quoted(pdf));
        EXPECT_EQ(r.status, expectedStatus) << r.err;
        EXPECT_EQ(test::ReadWholeFile(pdf).substr(0, 5), "%PDF-");
        const auto text = dir / "report.txt";
        const std::string command = "pdftotext " + quoted(pdf) + " " + quoted(text);
        EXPECT_EQ(std::system(command.c_str()), 0);
        return test::ReadWholeFile(text);
    }
};

TEST_P(ReportCli, NamesEveryPartAndDriver) {
    const std::string name = std::string(GetParam()) + ".TVP";
    const auto project = test::LoadExample(name);
    const std::string text = reportText(example(name), 0);
    EXPECT_NE(text.find(GetParam()), std::string::npos);
    EXPECT_NE(text.find("Parts list"), std::string::npos);
    for (int a = 0; a < AmpCount(*project); ++a) {
        const TWeiche& weiche = project->Amps[a].Weiche;
        for (int slot = 0; slot < WeicheGridSlots; ++slot) {
            if (IsTunable(weiche[slot])) {
                EXPECT_TRUE(hasWord(text, PartName(weiche, slot))) << PartName(weiche, slot);
            }
        }
    }
    for (int d = 0; d < ChassisCount(*project); ++d) {
        EXPECT_NE(text.find(project->Chassis[d].Name.str()), std::string::npos) << d;
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, ReportCli,
                         ::testing::Values("Default", "Bench 8x6", "Bi-amped 2-way", "Closed 3-way",
                                           "Bandpass subwoofer", "Passive radiator subwoofer",
                                           "Active 2-way", "Bivented bandpass subwoofer"));

using ReportInput = test::CliTest;

TEST_F(ReportInput, ErrorsAreReportedAndBadInputLeavesNoFile) {
    std::string text = test::ReadWholeFile(std::string(TAVREL_SOURCE_DIR) +
                                           "/data/examples/Passive radiator subwoofer.TVP.plain");
    text.replace(text.find("PRn=\t2"), 6, "PRn=\t9");
    std::ofstream(dir / "nine.plain", std::ios::binary) << text;
    const auto pdf = dir / "nine.pdf";
    EXPECT_EQ(run("report " + quoted(dir / "nine.plain") + " -o " + quoted(pdf)).status, 1);
    ASSERT_EQ(std::system(("pdftotext " + quoted(pdf) + " " + quoted(dir / "nine.txt")).c_str()),
              0);
    EXPECT_NE(test::ReadWholeFile(dir / "nine.txt").find("1 to 8 radiators"), std::string::npos);

    const auto output = dir / "bad.pdf";
    const std::string project = example("Default.TVP");
    const std::pair<std::string, int> cases[] = {
        {"report " + project + " --volts -3 -o " + quoted(output), 2},
        {"report " + project + " --page a3 -o " + quoted(output), 2},
        {"report " + project, 2},
    };
    for (const auto& [arguments, status] : cases) {
        EXPECT_EQ(run(arguments).status, status) << arguments;
        EXPECT_FALSE(std::filesystem::exists(output)) << arguments;
    }
    const auto unwritable = dir / "missing" / "report.pdf";
    const test::CliRun r = run("report " + project + " -o " + quoted(unwritable));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Cannot write"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(unwritable.string() + ".tmp~"));
}

} // namespace
} // namespace tavrel
