// tavrel-cli optimize run as the program it is.
#include "support/cli_run.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <string>

namespace tavrel {
namespace {

namespace fs = std::filesystem;

class OptimizeCommand : public test::CliTest {
protected:
    static double total(const std::string& text, std::size_t from = 0) {
        std::smatch m;
        const std::string tail = text.substr(from);
        return std::regex_search(tail, m, std::regex("Total judgement = +([0-9.]+)"))
                   ? std::stod(m[1])
                   : -1;
    }
};

TEST_F(OptimizeCommand, TunesTheResistorsToE12AndWritesOnlyTheNamedFile) {
    const fs::path out = dir / "out.TVP";
    const test::CliRun r = run("optimize " + example("Closed 3-way.TVP") + " -o " + quoted(out) +
                               " --mark resistors --resistors e12 --reference");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("iteration 1: total judgement"), std::string::npos);
    EXPECT_NE(r.err.find("(E12)"), std::string::npos);
    const std::size_t after = r.out.find("results after optimization");
    ASSERT_NE(after, std::string::npos);
    EXPECT_LT(total(r.out, after), total(r.out));
    EXPECT_TRUE(fs::exists(dir / "out-reference.TVP"));
    const test::CliRun judged = run("judge " + quoted(out));
    EXPECT_DOUBLE_EQ(total(judged.out), total(r.out, after));
}

TEST_F(OptimizeCommand, RefusesWithoutMarkedPartsOrDriverDataAndOnBadArguments) {
    const fs::path out = dir / "out.TVP";
    const test::CliRun none = run("optimize " + example("Default.TVP") + " -o " + quoted(out));
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.err, "No parts marked for optimization.\n");

    std::ifstream in(fs::path(TAVREL_SOURCE_DIR) / "data/examples/Default.TVP.plain");
    std::string text((std::istreambuf_iterator<char>(in)), {});
    text.replace(text.find("_PMax=\t80"), 9, "_PMax=\t0");
    std::ofstream(dir / "nopower.plain") << text;
    const test::CliRun noPower = run("optimize --plain " + quoted(dir / "nopower.plain") + " -o " +
                                     quoted(out) + " --mark all");
    EXPECT_EQ(noPower.status, 1);
    EXPECT_EQ(noPower.err, "Driver1: Sd, xlin and Pmax must be > 0.\n");

    EXPECT_EQ(run("optimize " + example("Default.TVP") + " -o x.TVP --zmin 9").status, 2);
    EXPECT_EQ(run("optimize " + example("Default.TVP")).status, 2);
    EXPECT_FALSE(fs::exists(out));
}

} // namespace
} // namespace tavrel
