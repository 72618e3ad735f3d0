// tavrel-cli dsp and export activefilter, run as the program: the exported biquads, evaluated
// here on their own, must give the channel that Tavrel simulates.
#include "app/project_load.h"
#include "model/projekt_file.h"
#include "support/cli_run.h"

#include <cmath>
#include <complex>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace tavrel {
namespace {

using Cx = std::complex<double>;

std::vector<std::vector<std::string>> csvRows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> cells;
        std::istringstream parts(line);
        for (std::string cell; std::getline(parts, cell, ',');) {
            cells.push_back(cell);
        }
        rows.push_back(cells);
    }
    return rows;
}

/// The channel of amplifier `amp` that the csv export describes, at f Hz.
Cx cascadeAt(const std::vector<std::vector<std::string>>& rows, const std::string& amp, double f,
             double rate) {
    const Cx z1 = std::polar(1.0, -2 * std::numbers::pi * f / rate);
    Cx h = 1;
    for (const auto& r : rows) {
        if (r[0] != amp) {
            continue;
        }
        if (r[1] == "gain" || r[1] == "polarity") {
            h *= std::stod(r[2]);
        } else if (r[1] == "delay") {
            h *= std::polar(1.0, -2 * std::numbers::pi * f * std::stod(r[2]) / 1000);
        } else {
            const Cx num = std::stod(r[2]) + std::stod(r[3]) * z1 + std::stod(r[4]) * z1 * z1;
            h *= num / (1.0 + std::stod(r[5]) * z1 + std::stod(r[6]) * z1 * z1);
        }
    }
    return h;
}

class DspCommand : public test::CliTest {
protected:
    /// The bi-amped example with a DSP channel per amplifier, saved as `name`.
    std::string project(const std::string& name, int rate, void (*change)(TProjekt&) = nullptr) {
        auto p = std::make_unique<TProjekt>();
        ResetProject(*p);
        EXPECT_TRUE(LoadProjectFile(*p, std::string(TAVREL_SOURCE_DIR) +
                                            "/data/examples/Bi-amped 2-way.TVP.plain")
                        .loaded);
        p->DSPRate = rate;
        TAktFilter& tweeter = p->Amps[1].AktFilter;
        tweeter.Delay = 0.00021;
        tweeter.Invert = true;
        tweeter.EQ[0] = {DspPeaking, true, 3500, -3, 2};
        tweeter.EQ[3] = {DspAllPass1, true, 900};
        p->Amps[0].AktFilter.EQ[1] = {DspLinkwitz, true, 60, 0, 0.9, 35, 0.6};
        if (change != nullptr) {
            change(*p);
        }
        const std::filesystem::path path = dir / name;
        EXPECT_TRUE(WriteProjekt(*p, path.string(), false).ok);
        return quoted(path);
    }
};

TEST_F(DspCommand, ExportedBiquadsReproduceTheSimulatedChannel) {
    const std::string p = project("dsp.TVP", 96000);
    const test::CliRun csv = run("dsp " + p + " --format csv");
    ASSERT_EQ(csv.status, 0) << csv.err;
    const auto rows = csvRows(csv.out);
    EXPECT_EQ(rows[0][0], "amplifier");
    EXPECT_EQ(rows.size(), 1u + (3 + 3) + (4 + 3)); // amp 1: LT added, amp 2: EQ1, EQ4
    for (const char* amp : {"1", "2"}) {
        const test::CliRun channel = run("export " + p + " activefilter " + amp + " --format csv");
        ASSERT_EQ(channel.status, 0) << channel.err;
        for (const auto& r : csvRows(channel.out)) {
            if (r[0].starts_with("Frequency") || std::stod(r[0]) > 20000) {
                continue;
            }
            const Cx h = cascadeAt(rows, amp, std::stod(r[0]), 96000);
            EXPECT_NEAR(20 * std::log10(std::abs(h)), std::stod(r[1]), 1e-6) << amp << " " << r[0];
            const double turn =
                std::remainder(std::arg(h) * 180 / std::numbers::pi - std::stod(r[2]), 360);
            EXPECT_NEAR(turn, 0, 1e-4) << amp << " " << r[0];
        }
    }
    EXPECT_NE(csv.out.find("2,delay,0.2100"), std::string::npos);       // 17 digits
    EXPECT_NE(csv.out.find(",20\n2,polarity,-1\n"), std::string::npos); // 20.16 samples
}

TEST_F(DspCommand, TheFourFormatsCarryTheSameBiquads) {
    const std::string p = project("dsp.TVP", 48000);
    const auto rows = csvRows(run("dsp " + p + " --format csv").out);
    const test::CliRun mini = run("dsp " + p + " --format minidsp --amp 2 --biquads 7");
    ASSERT_EQ(mini.status, 0) << mini.err;
    EXPECT_EQ(mini.out.rfind("biquad1,\nb0=" + rows[7][2] + ",\nb1=" + rows[7][3], 0), 0u);
    const std::string negatedA1 = rows[7][5][0] == '-' ? rows[7][5].substr(1) : "-" + rows[7][5];
    EXPECT_NE(mini.out.find("a1=" + negatedA1 + ",\n"), std::string::npos);
    EXPECT_NE(mini.out.find("biquad7,\nb0=1,\nb1=0,\nb2=0,\na1=0,\na2=0\n"), std::string::npos);
    EXPECT_NE(mini.err.find("Amplifier 2: gain -4.0000"), std::string::npos);
    EXPECT_NE(mini.err.find("delay 0.2100"), std::string::npos);
    EXPECT_NE(mini.err.find(" ms, polarity inverted\n"), std::string::npos);

    const test::CliRun camilla = run("dsp " + p + " --format camilladsp");
    ASSERT_EQ(camilla.status, 0) << camilla.err;
    EXPECT_NE(camilla.out.find("  amp2_biquad1:\n    type: Biquad\n    parameters:\n      type: "
                               "Free\n      a1: " +
                               rows[7][5]),
              std::string::npos);
    EXPECT_NE(camilla.out.find("inverted: true"), std::string::npos);
    EXPECT_NE(camilla.out.find("  - type: Filter\n    channels: [1]\n"), std::string::npos);
    EXPECT_EQ(camilla.out.find("devices:"), std::string::npos);

    const test::CliRun apo = run("dsp " + p + " --format apo");
    ASSERT_EQ(apo.status, 0) << apo.err;
    EXPECT_NE(apo.out.find("Channel: 2\nPreamp: -4.0000"), std::string::npos);
    EXPECT_NE(apo.out.find("Filter: ON IIR Order 2 Coefficients " + rows[7][2] + " " + rows[7][3] +
                           " " + rows[7][4] + " 1 " + rows[7][5] + " " + rows[7][6] + "\n"),
              std::string::npos);
    EXPECT_NE(apo.out.find("Copy: 2=-1*2\n"), std::string::npos);
}

TEST_F(DspCommand, AnAnalogProjectSaysHowFarTheDigitalFilterDeparts) {
    const test::CliRun r = run("dsp " + project("analog.TVP", 0) + " --format csv --rate 44100");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("Amplifier 1: the digital filter at 44100 Hz departs from the analog one"),
              std::string::npos);
}

struct BadCase {
    const char* args;
    int status;
    const char* message;
};

TEST_F(DspCommand, BadInputIsRefusedAndNothingIsWritten) {
    const std::string p = project("dsp.TVP", 48000);
    const std::string high = project("high.TVP", 48000, [](TProjekt& x) {
        x.Amps[1].AktFilter.EQ[5] = {DspHighShelf, true, 24000, 2, 0.7};
    });
    const std::string q =
        project("q.TVP", 0, [](TProjekt& x) { x.Amps[0].AktFilter.EQ[1].q2 = 0; });
    const std::string delay =
        project("delay.TVP", 0, [](TProjekt& x) { x.Amps[0].AktFilter.Delay = -0.001; });
    const BadCase cases[] = {
        {"--format wav", 2, "--format must be"},
        {"--format csv --rate 22050", 2, "unknown sample rate 22050"},
        {"--format csv --rate 96000", 2, "the project's DSP runs at 48000 Hz"},
        {"--format minidsp", 2, "choose one amplifier"},
        {"--format csv --amp 3", 2, "amplifier 3 does not exist"},
        {"--format minidsp --amp 1 --biquads 2", 1, "needs 3 biquads, more than 2"},
        {"--format csv FILE high", 1, "EQ6 (High shelf) at 24000 Hz lies at or above half"},
        {"--format csv FILE q", 1, "EQ2 (Linkwitz transform): frequencies and Q-factors"},
        {"--format csv FILE delay", 1, "the delay must lie between 0 and 50 ms"},
    };
    const std::map<std::string, std::string> files{{"high", high}, {"q", q}, {"delay", delay}};
    for (const BadCase& c : cases) {
        std::string args = c.args;
        std::string file = p;
        if (const auto at = args.find(" FILE "); at != std::string::npos) {
            file = files.at(args.substr(at + 6));
            args = args.substr(0, at);
        }
        const std::filesystem::path out = dir / "out.txt";
        const test::CliRun r = run("dsp " + file + " " + args + " -o " + quoted(out));
        EXPECT_EQ(r.status, c.status) << c.args << ": " << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << ": " << r.err;
        EXPECT_FALSE(std::filesystem::exists(out)) << c.args;
    }
    const test::CliRun mini96 = run("dsp " + project("r.TVP", 96000) + " --format minidsp --amp 1");
    EXPECT_EQ(mini96.status, 2);
    EXPECT_NE(mini96.err.find("run at 48000 Hz"), std::string::npos);
}

} // namespace
} // namespace tavrel
