#include "optimizer/e_series.h"
#include "optimizer/opti_run.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace tavrel {
namespace {

TWeichePart part(int typ, double value, bool marked = true) {
    TWeichePart p;
    p.typ = static_cast<std::int16_t>(typ);
    p.value = value;
    p.Rvalue = typ == PartInductance ? 0.7 : 0.0;
    p.bOpti = marked;
    return p;
}

struct SeriesCase {
    double x;
    PartChoice series;
    double expected;
};

class NearestESeriesTest : public ::testing::TestWithParam<SeriesCase> {};

TEST_P(NearestESeriesTest, PicksTheNearestValueAndKeepsTiesLow) {
    const SeriesCase c = GetParam();
    EXPECT_NEAR(NearestESeries(c.x, SeriesStep(c.series)), c.expected, c.expected * 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Table, NearestESeriesTest,
                         ::testing::Values(SeriesCase{5.3e-6, PartChoice::E12, 5.6e-6},
                                           SeriesCase{5.3e-6, PartChoice::E6, 4.7e-6},
                                           SeriesCase{10.5, PartChoice::E6, 10},
                                           SeriesCase{125, PartChoice::E6, 100}, // tie
                                           SeriesCase{9.6, PartChoice::E12, 10},
                                           SeriesCase{8, PartChoice::E12, 8.2},
                                           SeriesCase{0, PartChoice::E12, 1e-100}));

TEST(OptiValues, ResistorStartsWithASixteenthAsStepAndInductanceBringsItsSeriesResistance) {
    auto p = std::make_unique<TProjekt>();
    p->nAmps = 2;
    p->Amps[1].Weiche[7] = part(PartResistor, 8);
    p->Amps[0].Weiche[3] = part(PartInductance, 1e-3);
    p->Amps[0].Weiche[4] = part(PartCapacitor, 1e-5, false);
    const OptiValues v = CollectOptiValues(*p);
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[0].part, 3);
    EXPECT_FALSE(v[0].isSeriesR);
    EXPECT_TRUE(v[1].isSeriesR);
    EXPECT_DOUBLE_EQ(v[1].step, 0.1);
    EXPECT_EQ(v[2].amplifier, 1);
    EXPECT_DOUBLE_EQ(v[2].step, 0.5);
    EXPECT_DOUBLE_EQ(v[2].minimum, 0.001);
}

TEST(OptiValues, CollectionStopsAfterFortyEightEntriesButAnInductanceMayMakeFifty) {
    auto p = std::make_unique<TProjekt>();
    for (int slot = 0; slot < 48; ++slot) {
        p->Amps[0].Weiche[slot] = part(PartResistor, 10);
    }
    p->Amps[0].Weiche[60] = part(PartInductance, 1e-3);
    p->Amps[0].Weiche[61] = part(PartResistor, 10);
    EXPECT_EQ(CollectOptiValues(*p).size(), 50u);
    p->Amps[0].Weiche[50] = part(PartResistor, 10); // now the inductance is never looked at
    const OptiValues v = CollectOptiValues(*p);
    ASSERT_EQ(v.size(), 49u);
    EXPECT_EQ(v.back().part, 50);
}

TEST(OptiValues, FixationPrefersInductanceThenTheLargestStartAndTakesTheSeriesResistanceAlong) {
    auto p = std::make_unique<TProjekt>();
    p->Amps[0].Weiche[0] = part(PartCapacitor, 1e-5);
    p->Amps[0].Weiche[1] = part(PartInductance, 1e-3);
    p->Amps[0].Weiche[2] = part(PartInductance, 2e-3);
    p->Amps[0].Weiche[3] = part(PartResistor, 1000);
    OptiValues v = CollectOptiValues(*p);
    v[0].step = 0; // the capacitor's step is raised to 4 % of its start
    const int chosen = ChooseFixation(v);
    EXPECT_EQ(v[chosen].part, 2);
    RemoveFixed(v, chosen);
    ASSERT_EQ(v.size(), 4u);
    EXPECT_EQ(v[ChooseFixation(v)].part, 1);
    EXPECT_DOUBLE_EQ(v[0].step, 0.04e-5);
}

/// The run's evaluator with a judgement computed directly from the project.
class FunctionEvaluator final : public OptiEvaluator {
public:
    explicit FunctionEvaluator(std::function<double(const TProjekt&)> judge)
        : m_judge(std::move(judge)) {
        for (auto& p : m_projects) {
            p = std::make_unique<TProjekt>();
        }
    }
    bool StartAll(const TProjekt& project) override { return RecalculateCentre(project); }
    bool EvaluateTrials(const TProjekt* plus, const TProjekt* minus) override {
        for (const auto& [trial, project] : {std::pair{Plus, plus}, std::pair{Minus, minus}}) {
            if (project != nullptr) {
                set(trial + 1, *project);
            }
        }
        if (plus != nullptr) {
            plusValues.push_back(plus->Amps[0].Weiche[0].value);
        }
        return true;
    }
    double TrialJudgement(Trial trial) const override { return m_judgements[trial + 1].J[12]; }
    void AcceptTrial(Trial trial) override {
        std::swap(m_projects[0], m_projects[trial + 1]);
        std::swap(m_judgements[0], m_judgements[trial + 1]);
    }
    bool RecalculateCentre(const TProjekt& project) override {
        set(0, project);
        return true;
    }
    const TProjekt& CentreProject() const override { return *m_projects[0]; }
    const TJudgement& CentreJudgement() const override { return m_judgements[0]; }
    const TResult& CentreResult() const override { return *m_result; }

    std::vector<double> plusValues; ///< the first slot's value in every plus trial

private:
    void set(int index, const TProjekt& project) {
        *m_projects[index] = project;
        m_judgements[index].J[12] = m_judge(project);
    }
    std::function<double(const TProjekt&)> m_judge;
    std::array<std::unique_ptr<TProjekt>, 3> m_projects;
    std::array<TJudgement, 3> m_judgements{};
    std::unique_ptr<TResult> m_result = MakeResult();
};

struct RunLog {
    std::vector<int> iterations;
    std::vector<std::string> fixations;
    std::vector<double> totals;
};

OptiOutcome runWith(FunctionEvaluator& eval, const TProjekt& p, const TOptiSettings& settings,
                    RunLog& log, std::atomic<bool>& abort, FixationHandler byHand = {}) {
    std::atomic<int> progress{0};
    OptiRunHooks hooks;
    hooks.report = [&log](const OptiReport& r) {
        log.iterations.push_back(r.iteration);
        log.fixations.push_back(r.fixation);
        log.totals.push_back(r.judgement.J[12]);
    };
    hooks.fixByHand = std::move(byHand);
    return OptiRun(eval, settings, hooks, progress, abort).Run(p);
}

TEST(OptiRun, WithoutABetterTrialTheFirstPartIsFixedAfterTheThirteenthIteration) {
    auto p = std::make_unique<TProjekt>();
    p->Amps[0].Weiche[0] = part(PartResistor, 8);
    p->Amps[0].Weiche[1] = part(PartInductance, 1e-3);
    FunctionEvaluator eval([](const TProjekt&) { return 5.0; });
    RunLog log;
    std::atomic<bool> abort{false};
    int asked = 0;
    const auto byHand = [&asked](const FixationRequest& r) {
        ++asked;
        r.part.value = 2e-3;
        return true;
    };
    EXPECT_EQ(runWith(eval, *p, {}, log, abort, byHand), OptiOutcome::Finished);
    ASSERT_GE(log.fixations.size(), 14u);
    for (int m = 1; m < 13; ++m) {
        EXPECT_EQ(log.fixations[m], "") << "iteration " << m;
    }
    EXPECT_EQ(log.fixations[13], "fixed L = 2 mH (edited)");
    EXPECT_EQ(asked, 2); // the inductance, then the resistor (chosen by hand as well)
    // Entry 0 is visited once per iteration: its step shrank by 0.7 twelve times by then.
    const double stepIn13 = 0.5 * std::pow(0.7, 12);
    // R, L and R(L), and from iteration 3 on two extrapolations.
    const std::size_t firstOf13 = 2 * 3 + 10 * 5;
    EXPECT_NEAR(eval.plusValues[firstOf13] - 8, stepIn13, 1e-12);
}

/// A divider R1 over R2: ratio 1/4 into 16 ohm is judged best, so R1 = 12, R2 = 4 ohm.
double dividerJudgement(const TProjekt& p) {
    const double r1 = p.Amps[0].Weiche[0].value, r2 = p.Amps[0].Weiche[1].value;
    const double ratio = r2 / (r1 + r2) - 0.25, load = (r1 + r2) / 16 - 1;
    return 100 * (100 * ratio * ratio + load * load);
}

TEST(OptiRun, FindsTheOptimumOfADividerAndFixesItToE12Values) {
    auto p = std::make_unique<TProjekt>();
    p->Amps[0].Weiche[0] = part(PartResistor, 5);
    p->Amps[0].Weiche[1] = part(PartResistor, 5);
    for (const PartChoice choice : {PartChoice::Manual, PartChoice::E12}) {
        FunctionEvaluator eval(dividerJudgement);
        TOptiSettings settings;
        settings.resistors = choice;
        RunLog log;
        std::atomic<bool> abort{false};
        EXPECT_EQ(runWith(eval, *p, settings, log, abort), OptiOutcome::Finished);
        const TWeiche& w = eval.CentreProject().Amps[0].Weiche;
        if (choice == PartChoice::Manual) {
            EXPECT_NEAR(w[0].value, 12, 0.12);
            EXPECT_NEAR(w[1].value, 4, 0.04);
        } else {
            EXPECT_DOUBLE_EQ(w[0].value, 12); // fixed first, then R2 follows: 3.9 is nearest 4
            EXPECT_DOUBLE_EQ(w[1].value, 3.9);
        }
        EXPECT_LT(log.totals.back(), dividerJudgement(*p));
    }
}

TEST(OptiRun, AResistorThatShouldVanishStopsAtItsFloor) {
    auto p = std::make_unique<TProjekt>();
    p->Amps[0].Weiche[0] = part(PartResistor, 8);
    FunctionEvaluator eval([](const TProjekt& q) { return q.Amps[0].Weiche[0].value; });
    RunLog log;
    std::atomic<bool> abort{false};
    EXPECT_EQ(runWith(eval, *p, {}, log, abort), OptiOutcome::Finished);
    EXPECT_DOUBLE_EQ(eval.CentreProject().Amps[0].Weiche[0].value, 0.001);
}

TEST(OptiRun, AbortEndsTheRunAfterTheCurrentStepAndNoPartsMeansNothingToDo) {
    auto p = std::make_unique<TProjekt>();
    p->Amps[0].Weiche[0] = part(PartResistor, 5);
    p->Amps[0].Weiche[1] = part(PartResistor, 5);
    FunctionEvaluator eval(dividerJudgement);
    std::atomic<bool> abort{false};
    std::atomic<int> progress{0};
    OptiRunHooks hooks;
    hooks.report = [&abort](const OptiReport& r) { abort = r.iteration == 2; };
    EXPECT_EQ(OptiRun(eval, {}, hooks, progress, abort).Run(*p), OptiOutcome::Aborted);
    p->Amps[0].Weiche[0].bOpti = p->Amps[0].Weiche[1].bOpti = false;
    EXPECT_EQ(OptiRun(eval, {}, hooks, progress, abort).Run(*p), OptiOutcome::NothingToDo);
}

} // namespace
} // namespace tavrel
