// tavrel-cli calculate, run as a user runs it.
#include "support/cli_run.h"

#include <gtest/gtest.h>

namespace tavrel {
namespace {

class CalculateCommand : public test::CliTest {
protected:
    test::CliRun calculate(const std::string& arguments) const {
        return run("calculate " + arguments);
    }
};

TEST_F(CalculateCommand, PrintsTheWorkedNumbers) {
    EXPECT_EQ(calculate("sealed fs=35 qts=0.4 vas=80 qtcwunsch=0,7").out,
              "Calculated volume: 38,788 liter\n"
              "Resonance frequency of driver in enclosure: 61,25 Hz\n");
    EXPECT_NE(calculate("port").out.find("fb = 47,59 Hz\n"), std::string::npos);
    const test::CliRun crossovers = calculate("crossovers tf=1000 itt=8 iht=8");
    EXPECT_EQ(crossovers.out.substr(0, 46), "[MemoTP1]\nButterworth:\nL = 1,273 mH\n[MemoHP1]\n");
    EXPECT_NE(crossovers.out.find("C = 19,89 \xC2\xB5"
                                  "F\n"),
              std::string::npos);
    EXPECT_EQ(calculate("divider-parts").out, "level reduction: -4,07 dB\nImpedance: 5,876 ohm\n");
}

TEST_F(CalculateCommand, HelpListsFieldsAndBadArgumentsFail) {
    const test::CliRun help = calculate("port --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("  nRohre           1 "), std::string::npos);
    for (const char* bad : {"", "box", "port d", "port diameter=7", "port nrohre=5"}) {
        const test::CliRun run = calculate(bad);
        EXPECT_EQ(run.status, 2) << bad;
        EXPECT_TRUE(run.out.empty()) << bad;
        EXPECT_FALSE(run.err.empty()) << bad;
    }
}

} // namespace
} // namespace tavrel
