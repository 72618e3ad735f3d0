// tavrel-cli import and fit as a user runs them on a driver file and a measurement.
#include "foundation/number_text.h"
#include "model/chassis_file.h"
#include "support/cli_run.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>
#include <memory>

namespace tavrel {
namespace {

class DriverCommands : public ::testing::Test {
protected:
    test::CliRun run(const std::string& arguments) { return test::RunCli(dir.path(), arguments); }
    std::string quoted(const std::string& path) { return "\"" + path + "\""; }

    test::ScratchDir dir{"files"};
    const std::string woofer = quoted(std::string(TAVREL_EXAMPLES_DIR) + "/Woofer 17 cm.TVC");
    const std::string data = std::string(TAVREL_TEST_DATA) + "/measurements/";
};

TEST_F(DriverCommands, ImportThenFitWritesTheAdoptedValuesInTheFormOfTheInput) {
    const std::string plainWoofer =
        quoted(std::string(TAVREL_SOURCE_DIR) + "/data/examples/Woofer 17 cm.TVC.plain");
    const std::string imported = dir.file("imported.TVC");
    const auto import = run("import " + plainWoofer + " " +
                            quoted(data + "SpeAcouPy_FaitalPRO_12PR320_impedance.frd") +
                            " --impedance -o " + quoted(imported));
    ASSERT_EQ(import.status, 0) << import.err;
    EXPECT_NE(import.out.find("[Data are impedance magnitude]"), std::string::npos);
    EXPECT_NE(import.out.find("impedance: 299 points\nelectrical phase: unchanged"),
              std::string::npos);

    const std::string fitted = dir.file("fitted.TVC");
    const auto fit = run("fit " + quoted(imported) + " -o " + quoted(fitted));
    ASSERT_EQ(fit.status, 0) << fit.err;
    EXPECT_EQ(fit.out.rfind("Calculation result:\nLe  = ", 0), 0u);
    auto driver = std::make_unique<TChassis>();
    const FileReadResult read = LoadChassisFile(*driver, fitted);
    ASSERT_TRUE(read.ok);
    EXPECT_FALSE(read.coded); // plain in, plain out
    EXPECT_EQ(MeasuredCount(driver->FgangIF), 299);
    EXPECT_GT(driver->Re2, 0);
    EXPECT_NE(fit.out.find("Le2 = " + FloatToWidth(6, driver->Le2 * 1000) + " mH"),
              std::string::npos);
}

TEST_F(DriverCommands, SingleChoosesTheColumnKind) {
    const auto r =
        run("import " + woofer + " " + quoted(data + "SpeAcouPy_FaitalPRO_12PR320_impedance.frd") +
            " --impedance --single phase -o " + quoted(dir.file("p.TVC")));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("[Data are electric phase]\nimpedance: unchanged\nelectrical phase: 299"),
              std::string::npos);
}

TEST_F(DriverCommands, FailuresSayWhyAndWriteNothing) {
    const std::string empty = dir.file("empty.txt");
    test::WriteWholeFile(empty, "* no data\n0 1 2\n");
    const std::string out = dir.file("out.TVC");
    const auto none =
        run("import " + woofer + " " + quoted(empty) + " --response -o " + quoted(out));
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.err, "tavrel-cli import: File does not provide suitable data.\n");
    const auto fit = run("fit " + woofer + " -o " + quoted(out));
    EXPECT_EQ(fit.status, 1);
    EXPECT_NE(fit.err.find("too less values"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(run("import " + woofer + " " + quoted(empty) + " -o " + quoted(out)).status, 2);
}

TEST_F(DriverCommands, FitTsWritesTheFittedDriverAndPrintsJson) {
    const std::string free = quoted(data + "SpeAcouPy_FaitalPRO_12PR320_impedance.frd");
    const std::string out = dir.file("ts.TVC");
    const auto r =
        run("fit-ts " + free + " --driver " + woofer + " -o " + quoted(out) + " --format json");
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* key : {"\"fs\": 45.", "\"Qes\": ", "\"Le3\": ", "\"residual_dB\": "}) {
        EXPECT_NE(r.out.find(key), std::string::npos) << key;
    }
    EXPECT_EQ(r.out.find("Vas"), std::string::npos); // no method, no Vas
    auto driver = std::make_unique<TChassis>();
    ASSERT_TRUE(LoadChassisFile(*driver, out).ok);
    EXPECT_NEAR(driver->fs, 45.8, 0.5);
    auto original = std::make_unique<TChassis>();
    ASSERT_TRUE(
        LoadChassisFile(*original, std::string(TAVREL_EXAMPLES_DIR) + "/Woofer 17 cm.TVC").ok);
    EXPECT_EQ(driver->Name, original->Name); // the other fields kept
    EXPECT_EQ(driver->xlin, original->xlin);
}

TEST_F(DriverCommands, FitTsRefusesBadFiguresAndCurves) {
    const std::string free = quoted(data + "SpeAcouPy_FaitalPRO_12PR320_impedance.frd");
    const std::string shortCurve =
        quoted(data + "Project-Ryu---Loudspeaker-Drivers_F144W_first12.zma");
    const std::string out = dir.file("never.TVC");
    struct Row {
        std::string arguments;
        int status;
        const char* says;
    };
    for (const Row& row :
         {Row{free + " --added-mass 0 --loaded " + free, 2, "mass"},
          Row{free + " --box-volume -1 --boxed " + free, 2, "volume"},
          Row{free + " --sd 0", 2, "area"}, Row{free + " --added-mass 0.01", 2, "go together"},
          Row{shortCurve, 1, "at least 20"},
          Row{free + " --sd 0.05 --added-mass 0.02 --loaded " + free, 1,
              "not below the free-air resonance"}}) {
        const auto r = run("fit-ts " + row.arguments + " -o " + quoted(out));
        EXPECT_EQ(r.status, row.status) << row.arguments;
        EXPECT_NE(r.err.find(row.says), std::string::npos) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(DriverCommands, ImportWithMinimumPhaseFillsThePhaseList) {
    const std::string out = dir.file("mp.TVC");
    const auto r =
        run("import " + woofer + " " + quoted(data + "SpeAcouPy_FaitalPRO_12PR320_impedance.frd") +
            " --impedance --minimum-phase -o " + quoted(out));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("electrical phase: 299 points, minimum phase"), std::string::npos);
    auto driver = std::make_unique<TChassis>();
    ASSERT_TRUE(LoadChassisFile(*driver, out).ok);
    EXPECT_EQ(MeasuredCount(driver->FgangIPF), 299);
    // Below resonance an impedance is inductive, above it capacitive.
    EXPECT_GT(driver->FgangIP[10], 0.1);
    EXPECT_LT(driver->FgangIP[90], -0.1);
}

} // namespace
} // namespace tavrel
