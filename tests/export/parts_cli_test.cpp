// tavrel-cli parts and the part curves of export on one-part networks whose loads follow in
// closed form from the driver's impedance, and the messages for input that gives no answer.
#include "model/projekt_file.h"
#include "support/cli_run.h"
#include "support/example_project.h"

#include <cmath>
#include <complex>
#include <gtest/gtest.h>
#include <numbers>
#include <sstream>
#include <vector>

namespace tavrel {
namespace {

using Cx = std::complex<double>;

std::vector<std::vector<double>> csvNumbers(const std::string& text) {
    std::vector<std::vector<double>> rows;
    std::istringstream lines(text);
    std::string line;
    std::getline(lines, line); // column names
    while (std::getline(lines, line)) {
        std::vector<double>& row = rows.emplace_back();
        std::istringstream fields(line);
        std::string field;
        while (std::getline(fields, field, ',')) {
            row.push_back(std::stod(field));
        }
    }
    return rows;
}

class PartsCli : public test::CliTest {
protected:
    /// Driver 1 behind one part in series: amplifier 0–11, part 0–1, driver 1–12, wire 11–12.
    std::string seriesProject(WeichePartType typ, double value) {
        auto project = test::LoadExample("Default.TVP");
        project->nChassis = 1;
        TWeiche& weiche = project->Amps[0].Weiche;
        ResetWeiche(weiche);
        const auto put = [&](int slot, WeichePartType t, double v) -> TWeichePart& {
            weiche[slot].typ = t;
            weiche[slot].value = v;
            weiche[slot].verpolt = -1;
            return weiche[slot];
        };
        put(90, PartAmpOutput, 1);
        put(0, typ, value);
        put(91, PartDriver, 1).chassisnr = 0;
        put(10, PartWire, 1);
        const auto path = dir / "series.TVP";
        EXPECT_TRUE(WriteProjekt(*project, path.string(), false).ok);
        return quoted(path);
    }
    /// Driver 1's impedance per grid point, from the export.
    std::vector<Cx> driverImpedance(const std::string& project) {
        std::vector<Cx> z;
        for (const auto& row :
             csvNumbers(run("export " + project + " chassisz 1 --format csv").out)) {
            z.push_back(std::polar(row[1], row[2] * std::numbers::pi / 180.0));
        }
        return z;
    }
};

TEST_F(PartsCli, SeriesPartsFollowOhmsLawAndTheVoltageDivider) {
    constexpr double Volts = 10.0, R = 6.8, C = 10e-6;
    struct Case {
        WeichePartType typ;
        double value;
        const char* curve;
    };
    for (const Case c : {Case{PartResistor, R, "partcurrent"}, Case{PartResistor, R, "partpower"},
                         Case{PartCapacitor, C, "partvoltage"}}) {
        const std::string project = seriesProject(c.typ, c.value);
        const std::vector<Cx> zd = driverImpedance(project);
        const std::string part = c.typ == PartResistor ? "R1" : "C1";
        const auto rows = csvNumbers(
            run("export " + project + " " + c.curve + " 1 " + part + " --volts 10 --format csv")
                .out);
        ASSERT_EQ(rows.size(), zd.size()) << c.curve;
        double largest = 0;
        for (std::size_t k = 0; k < rows.size(); ++k) {
            const double omega = 2 * std::numbers::pi * rows[k][0];
            const Cx zPart = c.typ == PartResistor ? Cx(R, 0) : Cx(0, -1 / (omega * C));
            const double current = Volts / std::abs(zPart + zd[k]);
            const double expected = c.typ == PartCapacitor ? current * std::abs(zPart)
                                    : std::string(c.curve) == "partpower" ? current * current * R
                                                                          : current;
            EXPECT_NEAR(rows[k][1], expected, 1e-6 * expected) << c.curve << " k " << k;
            largest = std::max(largest, expected);
        }
        // The sine figure of the parts list is the largest of the curve.
        const test::CliRun list = run("parts " + project + " --volts 10 --format csv");
        ASSERT_EQ(list.status, 0) << list.err;
        const std::size_t at = list.out.find("\n1," + part + ",");
        ASSERT_NE(at, std::string::npos) << list.out;
        std::istringstream fields(list.out.substr(at + 1));
        std::vector<std::string> row(15);
        for (std::string& field : row) {
            std::getline(fields, field, ',');
        }
        const int column = c.typ == PartCapacitor                ? 6
                           : std::string(c.curve) == "partpower" ? 10
                                                                 : 8;
        EXPECT_NEAR(std::stod(row[static_cast<std::size_t>(column)]), largest, 1e-3 * largest)
            << c.curve;
    }
}

struct BadInput {
    std::string arguments;
    int status;
    std::string message;
};

TEST_F(PartsCli, RefusesInputThatGivesNoAnswer) {
    const std::string project = example("Default.TVP");
    const auto output = dir / "parts.tsv";
    const BadInput cases[] = {
        {"export " + project + " partpower 1 R9", 1, "Amplifier 1 has no part 'R9'"},
        {"export " + project + " partvoltage 3 C1", 1, "Amplifier 3 does not exist"},
        {"export " + project + " partcurrent 1", 2, "needs an amplifier and a part name"},
        {"parts " + project + " --volts -2", 2, "--volts needs a positive number"},
        {"parts " + project + " --volts 2 --watts 5", 2, "not both"},
        {"parts " + project + " --count 0", 2, "--count needs a whole number"},
        {"parts " + project + " --format xml", 2, "unknown format"},
        {"parts " + project + " -o " + quoted(dir / "no" / "such" / "dir.tsv"), 1, "Cannot"},
    };
    for (const BadInput& c : cases) {
        const bool ownOutput = c.arguments.find(" -o ") != std::string::npos;
        const test::CliRun r = run(c.arguments + (ownOutput ? "" : " -o " + quoted(output)));
        EXPECT_EQ(r.status, c.status) << c.arguments;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.arguments << "\n" << r.err;
        EXPECT_FALSE(std::filesystem::exists(output)) << c.arguments;
    }
}

} // namespace
} // namespace tavrel
