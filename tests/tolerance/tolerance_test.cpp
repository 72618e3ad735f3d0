// The tolerance analysis: draws stay within their tolerance and reach both ends, zero
// tolerances give the nominal curves exactly, the engine count changes nothing, the spreads are
// ordered, and the command line refuses bad values.
#include "charts/fake_metrics.h"
#include "support/cli_run.h"
#include "support/example_project.h"
#include "tolerance/quantile_sketch.h"
#include "tolerance/tolerance_bands.h"
#include "tolerance/tolerance_draw.h"
#include "tolerance/tolerance_run.h"
#include "tolerance/tolerance_text.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <numeric>
#include <random>

namespace tavrel {
namespace {

ToleranceReport analyse(const TProjekt& project, const TTolerances& t, int engines) {
    EnginePool pool(engines);
    const std::atomic<bool> never{false};
    return RunTolerance(project, t, pool, false, nullptr, never);
}

void expectOrdered(const CurveSpread& s) {
    for (std::size_t k = 0; k < s.min.size(); ++k) {
        EXPECT_LE(s.min[k], s.p5[k]);
        EXPECT_LE(s.p5[k], s.p50[k]);
        EXPECT_LE(s.p50[k], s.p95[k]);
        EXPECT_LE(s.p95[k], s.max[k]);
    }
}

class CapacitorDraws : public ::testing::TestWithParam<bool> {};

TEST_P(CapacitorDraws, StayInsideTheToleranceAndReachBothEnds) {
    const auto nominal = test::LoadExample("Default.TVP");
    TTolerances t;
    t.percent.fill(0);
    t[TolKind::Capacitor] = 5;
    t.normal = GetParam();
    auto copy = std::make_unique<TProjekt>();
    double lowest = 2, highest = 0;
    int capacitors = 0;
    for (int run = 0; run < 1500; ++run) {
        *copy = *nominal;
        ApplyTolerances(*copy, t, run);
        for (int s = 0; s < WeicheSlots; ++s) {
            const TWeichePart& part = copy->Amps[0].Weiche[s];
            const double ratio = part.value / nominal->Amps[0].Weiche[s].value;
            if (part.typ == PartCapacitor) {
                ++capacitors;
                lowest = std::min(lowest, ratio);
                highest = std::max(highest, ratio);
            } else {
                EXPECT_EQ(ratio, 1.0) << "slot " << s; // other kinds keep their value
            }
        }
        EXPECT_EQ(copy->Chassis, nominal->Chassis);
    }
    ASSERT_GT(capacitors, 0);
    EXPECT_GE(lowest, 0.95);
    EXPECT_LE(highest, 1.05);
    EXPECT_LT(lowest, 0.952);
    EXPECT_GT(highest, 1.048);
}

INSTANTIATE_TEST_SUITE_P(UniformAndNormal, CapacitorDraws, ::testing::Bool());

TEST(Tolerance, ZeroTolerancesGiveTheNominalCurvesExactly) {
    const auto project = test::LoadExample("Default.TVP");
    TTolerances t;
    t.percent.fill(0);
    t.runs = 5;
    const ToleranceReport report = analyse(*project, t, 2);
    ASSERT_EQ(report.outcome, TolOutcome::Finished);
    const ToleranceResult& r = report.result;
    EXPECT_EQ(r.runs, 5);
    ASSERT_FALSE(r.level.nominal.empty());
    for (const CurveSpread* s : {&r.level, &r.impedance.at(0)}) {
        for (const auto* column : {&s->min, &s->p5, &s->p50, &s->p95, &s->max}) {
            EXPECT_EQ(*column, s->nominal);
        }
    }
    EXPECT_EQ(r.judgement.p95, r.judgementNominal);
    EXPECT_EQ(r.pairDifferences, std::vector<double>(2, 0.0));
}

TEST(Tolerance, SameSeedSameFiguresWithOneAndThreeEnginesAndOrderedSpreads) {
    const auto project = test::LoadExample("Default.TVP");
    TTolerances t;
    t.runs = 7; // an odd count leaves the last batch short and the last run unpaired
    t.seed = 42;
    const ToleranceReport one = analyse(*project, t, 1), three = analyse(*project, t, 3);
    ASSERT_EQ(one.outcome, TolOutcome::Finished);
    ASSERT_EQ(three.outcome, TolOutcome::Finished);
    EXPECT_EQ(FormatToleranceTable(one.result, false), FormatToleranceTable(three.result, false));
    EXPECT_EQ(one.result.pairDifferences, three.result.pairDifferences);
    EXPECT_EQ(one.result.pairDifferences.size(), 3U);
    EXPECT_EQ(JudgementSpreadText(one.result), JudgementSpreadText(three.result));
    expectOrdered(one.result.level);
    expectOrdered(one.result.impedance.at(0));
    EXPECT_LT(one.result.level.min[50], one.result.level.max[50]); // the parts do spread

    t.seed = 43;
    EXPECT_NE(FormatToleranceTable(analyse(*project, t, 2).result, false),
              FormatToleranceTable(one.result, false));
}

TEST(Tolerance, ExactPercentilesOfTheWholeNumbersUpTo100AreThoseNumbers) {
    std::vector<double> values(101);
    std::iota(values.begin(), values.end(), 0.0);
    std::shuffle(values.begin(), values.end(), std::mt19937_64(3));
    QuantileSketch sketch;
    for (double v : values) {
        sketch.Add(v);
    }
    for (const Percentiles& p : {ExactPercentiles(values), sketch.Result()}) {
        EXPECT_DOUBLE_EQ(p.min, 0);
        EXPECT_DOUBLE_EQ(p.p5, 5);
        EXPECT_DOUBLE_EQ(p.p50, 50);
        EXPECT_DOUBLE_EQ(p.p95, 95);
        EXPECT_DOUBLE_EQ(p.max, 100);
    }
    EXPECT_DOUBLE_EQ(PercentileOfSorted({0, 10}, 0.05), 0.5); // between the order statistics
}

TEST(Tolerance, EstimatedPercentilesStayOrderedAndClose) {
    QuantileSketch sketch;
    std::mt19937_64 generator(7);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    for (std::size_t i = 0; i < 3 * QuantileSketch::ExactLimit; ++i) {
        sketch.Add(uniform(generator));
    }
    ASSERT_TRUE(sketch.Estimated());
    const Percentiles p = sketch.Result();
    EXPECT_LE(p.min, p.p5);
    EXPECT_LE(p.p5, p.p50);
    EXPECT_LE(p.p50, p.p95);
    EXPECT_LE(p.p95, p.max);
    EXPECT_NEAR(p.p5, 0.05, 0.02);
    EXPECT_NEAR(p.p50, 0.5, 0.03);
    EXPECT_NEAR(p.p95, 0.95, 0.02);
}

TEST(Tolerance, SpreadIsDrawnBelowItsCurveOnlyWhileTheCurveIsShown) {
    ToleranceResult r;
    r.freq = {100, 1000, 10000};
    r.level = {{80, 82, 81}, {78, 80, 79}, {79, 81, 80}, {80, 82, 81}, {81, 83, 82}, {82, 84, 83}};
    r.impedance = {r.level};
    TVChart chart;
    chart.hasData = true;
    chart.curve(0) = {
        true,        false, "Total amplitude", 3, Black, LineStyle::Solid, {100, 1000, 10000},
        {80, 82, 81}};
    chart.curve(3) = chart.curve(0);
    chart.curve(3).visible = false; // the impedance box unticked
    chart.bands = ResponseBands(r, 2);
    ASSERT_EQ(chart.bands.size(), 2U);
    EXPECT_EQ(chart.bands[1].slot, 3);
    const DisplayList list = chart.Paint({0, 0, 600, 400}, testing::FakeMetrics{});
    int areas = 0, edges = 0, areaIndex = -1, curveIndex = -1;
    for (int i = 0; i < static_cast<int>(list.items.size()); ++i) {
        if (const auto* area = std::get_if<AreaItem>(&list.items[i])) {
            ++areas;
            areaIndex = i;
            EXPECT_EQ(area->points.size(), 6U); // the upper edge out, the lower edge back
        } else if (const auto* line = std::get_if<PolylineItem>(&list.items[i])) {
            edges += line->role == LineRole::BandEdge ? 1 : 0;
            curveIndex = line->role == LineRole::CurveLine ? i : curveIndex;
        }
    }
    EXPECT_EQ(areas, 1);
    EXPECT_EQ(edges, 2);
    EXPECT_LT(areaIndex, curveIndex);
}

struct BadLine {
    const char* options;
    const char* message;
};

class ToleranceCli : public test::CliTest, public ::testing::WithParamInterface<BadLine> {};

TEST_P(ToleranceCli, RefusesBadValuesWithStatus2) {
    const test::CliRun r = run("tolerance " + example("Default.TVP") + " " + GetParam().options);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, ToleranceCli,
    ::testing::Values(BadLine{"--r -5", "--r -5: a tolerance lies between 0 and 100 %"},
                      BadLine{"--fs 100.5", "--fs 100.5: a tolerance lies between 0 and 100 %"},
                      BadLine{"--c five", "--c takes a number of percent, not 'five'"},
                      BadLine{"--vas 10%", "--vas takes a number of percent"},
                      BadLine{"--runs 1", "--runs takes a whole number from 2, not '1'"},
                      BadLine{"--runs 2.5", "--runs takes a whole number from 2"},
                      BadLine{"--seed x", "--seed takes a whole number from 0, not 'x'"},
                      BadLine{"--format xls", "--format takes tsv or csv"},
                      BadLine{"--qes", "unknown or incomplete option '--qes'"}));

using ToleranceCommand = test::CliTest;

TEST_F(ToleranceCommand, PrintsTheSameNumbersTwiceAndFailsOnAProjectThatDoesNotCalculate) {
    const std::string line = "tolerance " + example("Default.TVP") + " --seed 1 --runs 6";
    const test::CliRun first = run(line), second = run(line);
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, second.out);
    EXPECT_EQ(first.err, second.err);
    EXPECT_NE(first.err.find("Pairs differ by at most "), std::string::npos);
    const std::string firstLine = first.out.substr(0, first.out.find('\n'));
    EXPECT_EQ(std::count(firstLine.begin(), firstLine.end(), '\t'), 12); // f, 6 level, 6 |Z|

    std::ofstream(dir.path() / "empty.plain")
        << "## MyIniFile 1.0 by ZQ 2004 ##\r\n#Header\r\nVersion=\t1200\r\n";
    const test::CliRun broken =
        run("tolerance " + quoted(dir.path() / "empty.plain") + " --runs 4");
    EXPECT_EQ(broken.status, 1);
    EXPECT_NE(broken.err.find("Error: driver 1"), std::string::npos) << broken.err;
}

} // namespace
} // namespace tavrel
