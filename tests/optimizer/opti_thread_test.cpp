#include "optimizer/opti_checks.h"
#include "optimizer/opti_thread.h"
#include "support/example_project.h"

#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <vector>

namespace tavrel {
namespace {

using namespace std::chrono_literals;

std::unique_ptr<TProjekt> defaultProjectAllMarked() {
    auto p = test::LoadExample("Default.TVP");
    MarkParts(*p, true);
    return p;
}

struct Reports {
    std::mutex mutex;
    std::vector<double> totals;
    std::vector<OptiOutcome> outcomes;

    OptiCallbacks callbacks() {
        OptiCallbacks c;
        c.report = [this](const OptiReport& r) {
            std::lock_guard lock(mutex);
            totals.push_back(r.judgement.J[12]);
        };
        c.finished = [this](OptiOutcome outcome) {
            std::lock_guard lock(mutex);
            outcomes.push_back(outcome);
        };
        return c;
    }
    std::size_t count() {
        std::lock_guard lock(mutex);
        return totals.size();
    }
};

TEST(OptiThread, DefaultProjectEndsWithALowerJudgementAndE12Capacitors) {
    auto project = defaultProjectAllMarked();
    Reports reports;
    TOptiThread thread(reports.callbacks());
    TOptiSettings settings;
    settings.capacitors = PartChoice::E12;
    ASSERT_TRUE(thread.Start(*project, settings));
    EXPECT_FALSE(thread.Start(*project, settings)); // one run at a time
    ASSERT_TRUE(thread.WaitIdle(600s));
    EXPECT_EQ(thread.Outcome(), OptiOutcome::Finished);
    EXPECT_TRUE(thread.Initial() == *project);
    std::lock_guard lock(reports.mutex);
    ASSERT_GE(reports.totals.size(), 2u);
    EXPECT_LT(reports.totals.back(), reports.totals.front());
    int capacitors = 0;
    for (const TWeichePart& part : thread.Centre().Amps[0].Weiche) {
        if (part.typ == PartCapacitor) {
            EXPECT_DOUBLE_EQ(part.value, NearestESeries(part.value, 2));
            ++capacitors;
        }
    }
    EXPECT_EQ(capacitors, 2);
}

TEST(OptiThread, AbortStopsARunAndEndingTheThreadDuringARunLeavesNothingBehind) {
    auto project = defaultProjectAllMarked();
    Reports reports;
    {
        TOptiThread thread(reports.callbacks());
        ASSERT_TRUE(thread.Start(*project, {}));
        while (reports.count() < 2) {
            std::this_thread::sleep_for(1ms);
        }
        thread.Abort();
        ASSERT_TRUE(thread.WaitIdle(60s));
        EXPECT_EQ(thread.Outcome(), OptiOutcome::Aborted);
        EXPECT_EQ(thread.Progress(), -1);
        ASSERT_TRUE(thread.Start(*project, {}));
    } // destroyed while running: joins without a finished report
    std::lock_guard lock(reports.mutex);
    EXPECT_EQ(reports.outcomes, std::vector<OptiOutcome>{OptiOutcome::Aborted});
}

} // namespace
} // namespace tavrel
