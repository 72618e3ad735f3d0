// A tolerance analysis: the design as drawn is calculated once, then many built copies of it,
// each with every part and driver value drawn anew (tolerance_draw.h), on the engines of a pool
// in parallel. The copies are handed out in batches of one per engine and their curves are
// collected in run order, so the figures do not depend on the number of engines. Baffle results
// never change and are taken over from the nominal calculation. ToleranceJob runs an analysis
// on a thread of its own for the window; the command line calls RunTolerance directly.
#pragma once

#include "engine/engine_pool.h"
#include "tolerance/tolerance_stats.h"
#include "tolerance/tolerances.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tavrel {

enum class TolOutcome {
    Finished,
    Aborted,
    NominalFailed, ///< the design itself does not calculate (errors in ToleranceReport)
    TimedOut,      ///< a calculation did not finish in time
};

struct ToleranceReport {
    TolOutcome outcome = TolOutcome::Finished;
    ToleranceResult result;          ///< valid when Finished
    std::vector<std::string> errors; ///< the nominal calculation's error list
};

/// One engine per processor core, at least one and at most eight.
int DefaultEngineCount();

/// Analyses `project` with `tolerances` on `pool`. With `seeded`, engine 0 already holds a
/// finished calculation of this project (EnginePool::Seed from the main window's), so the
/// nominal pass computes only what differs. `progress` receives the number of runs done after
/// each batch; `abort` is read between batches.
ToleranceReport RunTolerance(const TProjekt& project, const TTolerances& tolerances,
                             EnginePool& pool, bool seeded,
                             const std::function<void(int done)>& progress,
                             const std::atomic<bool>& abort);

/// What a ToleranceJob reports, from its own thread.
struct ToleranceJobCalls {
    std::function<void(int done)> progress; ///< runs done, after each batch
    std::function<void()> finished;         ///< the report is ready (Busy() is false)
};

/// An analysis on its own thread. Done() counts the runs, Busy() turns false when the report
/// is ready; the calls, when given, report both as they happen.
class ToleranceJob {
public:
    explicit ToleranceJob(ToleranceJobCalls calls = {}, int engines = DefaultEngineCount());
    ~ToleranceJob();
    ToleranceJob(const ToleranceJob&) = delete;
    ToleranceJob& operator=(const ToleranceJob&) = delete;

    /// Starts an analysis of a copy of `project` (`seed` as for RunTolerance, copied now).
    /// False while one is running.
    bool Start(const TProjekt& project, const TTolerances& tolerances, const TCalcEngine* seed);
    void Abort() { m_abort = true; }
    bool Busy() const;
    /// Until the thread has made its last call: a window that takes the calls serves its
    /// event loop while this holds before it lets the job go.
    bool Reporting() const { return m_reporting; }
    int Done() const { return m_done; }
    /// The last analysis: read only while not Busy().
    const ToleranceReport& Report() const { return m_report; }
    const TProjekt& Project() const { return *m_project; }

private:
    void join();

    ToleranceJobCalls m_calls;
    EnginePool m_pool;
    std::unique_ptr<TProjekt> m_project;
    TTolerances m_tolerances;
    ToleranceReport m_report;
    mutable std::mutex m_mutex;
    bool m_busy = false;
    std::atomic<bool> m_abort{false};
    std::atomic<int> m_done{0};
    std::atomic<bool> m_reporting{false};
    std::thread m_thread;
};

} // namespace tavrel
