#include "engine/calc_thread.h"
#include "support/example_project.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <vector>

namespace tavrel {
namespace {

using namespace std::chrono_literals;

/// Records what the thread reports; the thread waits for each report to return.
struct Reports {
    std::mutex mutex;
    std::vector<std::pair<int, int>> progress;
    std::vector<std::vector<std::string>> errors;
    std::vector<double> pegelSeen; ///< the first amplifier's filter output at 1 kHz per hand-over
    std::atomic<int> handOvers{0};
    std::shared_ptr<const TResult> shown; ///< kept until the next hand-over, as a window does

    CalcCallbacks callbacks() {
        CalcCallbacks c;
        c.progress = [this](int done, int count) {
            std::lock_guard lock(mutex);
            progress.emplace_back(done, count);
        };
        c.errors = [this](const std::vector<std::string>& e) {
            std::lock_guard lock(mutex);
            errors.push_back(e);
        };
        c.handOver = [this](std::shared_ptr<TResult> r, bool) {
            std::lock_guard lock(mutex);
            pegelSeen.push_back(CAbs(r->AktFilterH[0][0]));
            shown = std::move(r);
            ++handOvers;
        };
        return c;
    }
};

bool waitForHandOvers(const Reports& reports, int count) {
    for (int i = 0; i < 6000 && reports.handOvers < count; ++i) {
        std::this_thread::sleep_for(10ms);
    }
    return reports.handOvers >= count;
}

class CalcThread : public ::testing::Test {
protected:
    Reports reports;
    std::unique_ptr<TProjekt> project = test::LoadExample("Default.TVP");
};

TEST_F(CalcThread, FirstRequestComputesEverythingAndReportsEachJob) {
    TCalcThread thread(false, reports.callbacks());
    std::this_thread::sleep_for(20ms);
    EXPECT_TRUE(thread.Finished()); // created waiting: nothing is computed before a request
    EXPECT_EQ(reports.handOvers, 0);
    thread.RequestCalc(*project); // the first pass of the main thread is always full
    ASSERT_TRUE(thread.WaitFinished(60s));
    ASSERT_TRUE(waitForHandOvers(reports, 1));
    std::lock_guard lock(reports.mutex);
    const int jobs =
        1 + 2 * 2 + 1 * 2 + 1; // check, baffle+driver per driver, filter+network, speaker
    ASSERT_EQ(reports.progress.size(), static_cast<std::size_t>(jobs + 1));
    EXPECT_EQ(reports.progress.front(), std::make_pair(0, jobs));
    EXPECT_EQ(reports.progress.back(), std::make_pair(jobs, jobs));
    ASSERT_EQ(reports.errors.size(), 1u);
    EXPECT_TRUE(reports.errors[0].empty());
    EXPECT_EQ(thread.Result().nFreq, project->Option.sz);
}

TEST_F(CalcThread, EveryRequestIsHandedOverWithTheNewestProject) {
    TCalcThread thread(false, reports.callbacks());
    thread.RequestFullCalc(*project);
    // Requests arriving while the thread computes are never lost: the last one wins.
    for (int i = 1; i <= 5; ++i) {
        project->Amps[0].AktFilter.Pegel = 1.0 + i;
        thread.RequestCalc(*project);
        std::this_thread::sleep_for(1ms);
    }
    ASSERT_TRUE(thread.WaitFinished(60s));
    ASSERT_TRUE(waitForHandOvers(reports, 1));
    std::lock_guard lock(reports.mutex);
    EXPECT_DOUBLE_EQ(reports.pegelSeen.back(), 6.0);
}

TEST_F(CalcThread, BurstOfRequestsCoalescesIntoTheResultOfTheFinalProject) {
    Reports slowUi; // a user interface that takes its time with every report
    CalcCallbacks callbacks = slowUi.callbacks();
    const auto handOver = callbacks.handOver;
    callbacks.handOver = [handOver](std::shared_ptr<TResult> r, bool valid) {
        std::this_thread::sleep_for(5ms);
        handOver(std::move(r), valid);
    };
    TCalcThread thread(false, std::move(callbacks));
    thread.RequestCalc(*project);
    ASSERT_TRUE(thread.WaitFinished(60s));
    ASSERT_TRUE(waitForHandOvers(slowUi, 1));
    TWeichePart* capacitor = nullptr;
    for (TWeichePart& part : project->Amps[0].Weiche) {
        capacitor = part.typ == PartCapacitor && capacitor == nullptr ? &part : capacitor;
    }
    ASSERT_NE(capacitor, nullptr);
    for (int notch = 0; notch < 50; ++notch) {
        capacitor->value *= 1.02;
        thread.RequestCalc(*project);
    }
    ASSERT_TRUE(thread.WaitFinished(60s));
    EXPECT_LT(slowUi.handOvers, 1 + 10); // not one calculation per request
    auto reference = std::make_unique<TCalcEngine>();
    reference->CalculateAll(*project);
    EXPECT_TRUE(thread.Result() == reference->Result());
}

// The thread writes each pass into the buffer handed over the time before, brought up to date
// with what changed since: every kind of change must leave no stale block behind, so each
// hand-over equals the results of an engine that computed the same passes in one buffer.
TEST_F(CalcThread, EveryHandOverEqualsTheSamePassesInOneBuffer) {
    TCalcThread thread(false, reports.callbacks());
    const std::vector<std::function<void(TProjekt&)>> changes{
        [](TProjekt& p) { p.Schallwand[0].b *= 1.1; },        // one baffle
        [](TProjekt& p) { p.Amps[0].AktFilter.Pegel = 2.0; }, // a filter: both drivers
        [](TProjekt& p) { p.Chassis[1].Re *= 1.05; },         // one driver
        [](TProjekt& p) {                                     // the network
            for (TWeichePart& part : p.Amps[0].Weiche) {
                part.value *= part.typ == PartCapacitor ? 0.9 : 1.0;
            }
        },
        [](TProjekt& p) { p.Schallwand[1].vert += 0.01; },    // a position only
        [](TProjekt& p) { p.Option.sz = 250, BuildGrid(p); }, // the grid: everything
    };
    auto reference = std::make_unique<TCalcEngine>();
    int expected = 0;
    for (const auto& change : changes) {
        change(*project);
        thread.RequestCalc(*project);
        ASSERT_TRUE(waitForHandOvers(reports, ++expected));
        ASSERT_TRUE(thread.WaitFinished(60s));
        reference->CalculateAll(*project, expected == 1);
        std::lock_guard lock(reports.mutex);
        EXPECT_TRUE(*reports.shown == reference->Result()) << "after change " << expected;
    }
}

TEST_F(CalcThread, UnchangedRequestHandsOverAgainWithoutJobs) {
    TCalcThread thread(false, reports.callbacks());
    thread.RequestCalc(*project);
    ASSERT_TRUE(thread.WaitFinished(60s));
    ASSERT_TRUE(waitForHandOvers(reports, 1));
    const std::size_t progressBefore = [&] {
        std::lock_guard lock(reports.mutex);
        return reports.progress.size();
    }();
    thread.RequestCalc(*project);
    ASSERT_TRUE(waitForHandOvers(reports, 2));
    std::lock_guard lock(reports.mutex);
    EXPECT_EQ(reports.progress.size(), progressBefore); // no job, so no progress text
    EXPECT_EQ(reports.errors.size(), 2u);
}

TEST_F(CalcThread, SilentThreadReportsNothingAndTerminatesWhileComputing) {
    project->Option.sz = 599;
    BuildGrid(*project);
    auto thread = std::make_unique<TCalcThread>(true, reports.callbacks());
    thread->RequestFullCalc(*project);
    std::this_thread::sleep_for(5ms);
    const auto start = std::chrono::steady_clock::now();
    thread->Terminate(); // ends within one job
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_TRUE(thread->Ended());
    thread.reset();
    EXPECT_EQ(reports.handOvers, 0);
    EXPECT_TRUE(reports.progress.empty());
}

} // namespace
} // namespace tavrel
