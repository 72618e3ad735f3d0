// tavrel-cli calc, export, judge and render, run as the program they are on the examples.
#include "engine/result.h"
#include "support/cli_run.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace tavrel {
namespace {

namespace fs = std::filesystem;

using CliCommands = test::CliTest;

TEST_F(CliCommands, CalcReportsSuccessErrorsAndUnreadableFiles) {
    const test::CliRun ok = run("calc " + example("Default.TVP"));
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(ok.out, "Calculation successful.\n");

    const std::string plain =
        "\"" + std::string(TAVREL_SOURCE_DIR) + "/data/examples/Default.TVP.plain\"";
    EXPECT_EQ(run("calc --plain " + plain).out, "Calculation successful.\n");

    // A project whose only driver has no parameters: the driver check passes, the jobs fail.
    std::ofstream(dir / "empty.plain")
        << "## MyIniFile 1.0 by ZQ 2004 "
           "##\r\n#Header\r\nVersion=\t1200\r\n#General\r\nnAmps=\t1\r\n";
    const test::CliRun failed = run("calc --plain \"" + (dir / "empty.plain").string() + "\"");
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.out.find("Error: driver 1: fs, Rdc, Qes, Qms, Vas, Sd must be > 0"),
              std::string::npos);

    EXPECT_EQ(run("calc \"" + (dir / "missing.TVP").string() + "\"").status, 2);
    EXPECT_EQ(run("calc " + plain).out, "Calculation successful.\n"); // the form is read from it
}

TEST_F(CliCommands, ExportWritesEveryFormatWithOptionsAnywhere) {
    const test::CliRun exp = run("export " + example("Default.TVP") + " speaker");
    ASSERT_EQ(exp.status, 0) << exp.err;
    EXPECT_EQ(exp.out.rfind("# Frequency response on axis\r\n", 0), 0u);

    const fs::path frd = dir / "woofer.frd";
    const test::CliRun written = run("export --format frd -o \"" + frd.string() + "\" " +
                                     example("Default.TVP") + " driver 1");
    ASSERT_EQ(written.status, 0) << written.err;
    const std::string text = test::ReadWholeFile(frd);
    EXPECT_EQ(text[0], '*');
    EXPECT_EQ(text.find(','), std::string::npos); // decimal points only

    const test::CliRun zma = run("export " + example("Default.TVP") + " ampz 1 --format zma");
    EXPECT_EQ(zma.status, 0);
    EXPECT_NE(zma.out.find("\n20 "), std::string::npos);
    const test::CliRun csv = run("export " + example("Default.TVP") + " direction 29 --format csv");
    EXPECT_EQ(csv.out.rfind("Frequency [Hz],Level [dB],Phase [deg]\n", 0), 0u);
    const test::CliRun step = run("export " + example("Default.TVP") + " step 2");
    EXPECT_EQ(step.out.rfind("# Step response of driver 2 on axis (96000 samples/s, 32768 "
                             "samples)\r\n# Time [ms]\tStep\r\n-85,333333\t",
                             0),
              0u);
    EXPECT_EQ(std::count(step.out.begin(), step.out.end(), '\n'), 2 + TimeSamples);
}

TEST_F(CliCommands, ExportRefusesDriversAndAmplifiersOutsideTheProject) {
    const test::CliRun driver = run("export " + example("Default.TVP") + " driver 3");
    EXPECT_EQ(driver.status, 1);
    EXPECT_NE(driver.err.find("Driver 3"), std::string::npos);
    EXPECT_EQ(run("export " + example("Default.TVP") + " ampz 2").status, 1);
    EXPECT_EQ(run("export " + example("Default.TVP") + " speaker 1").status, 2);
    EXPECT_EQ(run("export " + example("Default.TVP") + " impulse 3").status, 1);
    EXPECT_EQ(run("export " + example("Default.TVP") + " loudness").status, 2);
    EXPECT_EQ(run("export " + example("Default.TVP") + " speaker --format wav").status, 2);
}

TEST_F(CliCommands, ExcursionAndVentVelocityAtAChosenLevelAndTheirRefusals) {
    const test::CliRun bandpass = run("export " + example("Bandpass subwoofer.TVP") +
                                      " ventvelocity 1 --volts 20 --format csv");
    ASSERT_EQ(bandpass.status, 0) << bandpass.err;
    EXPECT_EQ(bandpass.out.rfind("Frequency [Hz],Front port [m/s]\n", 0), 0u);
    const test::CliRun woofer = run("export " + example("Default.TVP") + " excursion 1");
    ASSERT_EQ(woofer.status, 0) << woofer.err;
    EXPECT_NE(woofer.out.find("\tExcursion [mm]\r\n"), std::string::npos);
    const test::CliRun tweeter = run("export " + example("Default.TVP") + " ventvelocity 2");
    EXPECT_EQ(tweeter.status, 1);
    EXPECT_NE(tweeter.err.find("Driver 2 has no port"), std::string::npos);
    EXPECT_EQ(run("export " + example("Default.TVP") + " excursion 1 --volts -3").status, 2);
    EXPECT_EQ(run("export " + example("Default.TVP") + " speaker --volts 3").status, 2);
}

TEST_F(CliCommands, JudgePrintsTheFiveFiguresOrAllTwentyByIndex) {
    const test::CliRun judge = run("judge " + example("Default.TVP"));
    ASSERT_EQ(judge.status, 0);
    for (const char* line : {"judge impedance = ", "judge freq. response = ", "judge efficiency = ",
                             "judge phase = ", "Total judgement = "}) {
        EXPECT_NE(judge.out.find(line), std::string::npos) << line;
    }
    EXPECT_EQ(judge.out.find("nan"), std::string::npos);
    std::istringstream all(run("judge --all " + example("Default.TVP")).out);
    int i = 0;
    double total = 0;
    for (std::string line; std::getline(all, line); ++i) {
        const std::string prefix = "J[" + std::to_string(i) + "] = ";
        ASSERT_EQ(line.rfind(prefix, 0), 0u) << line;
        total = i == 12 ? std::stod(line.substr(prefix.size())) : total;
    }
    EXPECT_EQ(i, 20);
    EXPECT_NEAR(std::stod(judge.out.substr(judge.out.find("Total judgement = ") + 18)), total,
                5e-4);
}

TEST_F(CliCommands, ExportsTheJudgementsRemainingInputs) {
    const auto curve = [&](const std::string& name) { // the level column of a csv export
        const test::CliRun r =
            run("export " + example("Default.TVP") + " " + name + " --format csv");
        EXPECT_EQ(r.status, 0) << name << r.err;
        std::istringstream lines(r.out.substr(r.out.find('\n') + 1));
        std::vector<double> levels;
        for (std::string line; std::getline(lines, line);) {
            levels.push_back(std::stod(line.substr(line.find(',') + 1)));
        }
        return levels;
    };
    // The speaker's limit is the lowest of its drivers' limits.
    const std::vector<double> umax = curve("umax"), excursion = curve("umaxexcursion 2");
    ASSERT_EQ(excursion.size(), umax.size());
    for (std::size_t k = 0; k < umax.size(); ++k) {
        EXPECT_LE(umax[k], excursion[k] * (1 + 1e-9)) << k;
    }
    // A tilt of one degree changes next to nothing at 20 Hz.
    const double speaker = curve("speaker")[0];
    EXPECT_NEAR(curve("tiltplus")[0], speaker, 0.05);
    EXPECT_NEAR(curve("tiltminus")[0], speaker, 0.05);
    // The closed tweeter radiates from its front only; the vented woofer's port adds to its own.
    EXPECT_EQ(curve("front 2"), curve("driver 2"));
    EXPECT_GT(std::abs(curve("front 1")[0] - curve("driver 1")[0]), 3.0);
    EXPECT_EQ(run("export " + example("Default.TVP") + " front 3").status, 1);
}

TEST_F(CliCommands, RenderDrawsNamedChartsWithoutADisplay) {
    const test::CliRun help = run("--help");
    if (help.out.find("render") == std::string::npos) {
        GTEST_SKIP() << "built without Qt";
    }
    const fs::path png = dir / "response.png";
    const test::CliRun drawn = run("render " + example("Default.TVP") + " response -o \"" +
                                   png.string() + "\" --width 640 --height 400");
    ASSERT_EQ(drawn.status, 0) << drawn.err;
    const std::string bytes = test::ReadWholeFile(png);
    ASSERT_GT(bytes.size(), 1000u);
    EXPECT_EQ(bytes.substr(1, 3), "PNG");

    const fs::path svg = dir / "polar.svg";
    ASSERT_EQ(
        run("render " + example("Default.TVP") + " polar 40 -o \"" + svg.string() + "\"").status,
        0);
    EXPECT_NE(test::ReadWholeFile(svg).find("<svg"), std::string::npos);

    EXPECT_EQ(run("render " + example("Default.TVP") + " spectrogram -o \"" +
                  (dir / "x.png").string() + "\"")
                  .status,
              1);
    EXPECT_EQ(run("render " + example("Default.TVP") + " response -o x.bmp").status, 2);
}

} // namespace
} // namespace tavrel
