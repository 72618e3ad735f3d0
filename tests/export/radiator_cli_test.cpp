// tavrel-cli on passive radiator enclosures: their excursion, the calculator page, and the
// messages for data that do not allow a result.
#include "support/cli_run.h"

#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace tavrel {
namespace {

using RadiatorCli = test::CliTest;

struct Expectation {
    std::string arguments;
    int status;
    std::string out; ///< found in standard output, or
    std::string err; ///< in standard error
};

TEST_F(RadiatorCli, ExportsCalculatesAndRefusesWithAMessage) {
    const std::string radiators = example("Passive radiator subwoofer.TVP");
    const std::string source =
        std::string(TAVREL_SOURCE_DIR) + "/data/examples/Passive radiator subwoofer.TVP.plain";
    std::string text = test::ReadWholeFile(source);
    const std::size_t n = text.find("PRn=\t2");
    ASSERT_NE(n, std::string::npos);
    text.replace(n, 6, "PRn=\t9");
    std::ofstream(dir / "nine.plain", std::ios::binary) << text;

    const Expectation cases[] = {
        {"export " + radiators + " radiatorexcursion 1 --volts 10", 0, "Radiator excursion [mm]",
         ""},
        {"export " + example("Default.TVP") + " radiatorexcursion 1", 1, "",
         "Driver 1 has no passive radiators"},
        {"export " + radiators + " ventvelocity 1", 1, "",
         "Driver 1 has no port but passive radiators"},
        {"calc --plain " + quoted(dir / "nine.plain"), 1, "Passive radiator: 1 to 8 radiators", ""},
        {"calculate passive-radiator fb=30", 0, "Added mass per radiator for fb =", ""},
        {"calculate passive-radiator --help", 0, "PRmadd", ""},
        {"calculate passive-radiator PRSd=0", 1, "", "Data incomplete."},
        {"calculate passive-radiator PRn=9", 2, "", "PRn takes a whole number 1..8"},
    };
    for (const Expectation& c : cases) {
        const test::CliRun r = run(c.arguments);
        EXPECT_EQ(r.status, c.status) << c.arguments << "\n" << r.err;
        EXPECT_NE(r.out.find(c.out), std::string::npos) << c.arguments << "\n" << r.out;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << c.arguments << "\n" << r.err;
    }
}

} // namespace
} // namespace tavrel
