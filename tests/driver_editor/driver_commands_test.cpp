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

} // namespace
} // namespace tavrel
