// TOptiThread: the optimizer's background thread. Start copies the project and the
// preferences in and wakes it; the thread runs one OptiRun on its three calculation engines
// and sleeps until the next start. Its reports and the manual fixation are plain calls made
// from the optimizer thread that return only when the receiver has handled them; the UI
// marshals them into its event loop. Abort is checked between steps.
#pragma once

#include "optimizer/opti_run.h"
#include "optimizer/trial_engines.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace tavrel {

struct OptiCallbacks {
    std::function<void(const OptiReport&)> report;
    FixationHandler fixByHand;
    /// The end of a run, unless the thread is being ended; the thread becomes idle after it.
    std::function<void(OptiOutcome)> finished;
};

class TOptiThread {
public:
    explicit TOptiThread(OptiCallbacks callbacks);
    ~TOptiThread();
    TOptiThread(const TOptiThread&) = delete;
    TOptiThread& operator=(const TOptiThread&) = delete;

    /// Starts a run on a copy of `project`. `seed`, when given, is a finished calculation of
    /// the project (the main window's), copied now. False while a run is going.
    bool Start(const TProjekt& project, const TOptiSettings& settings,
               const TCalcEngine* seed = nullptr);
    /// Asks the run to stop after the current step.
    void Abort();
    bool Busy() const;
    /// Blocks until no run is going or the timeout; true when idle.
    bool WaitIdle(std::chrono::milliseconds timeout) const;
    /// 0..1000 of the current iteration, −1 when no run is going.
    int Progress() const { return m_progress; }

    // Read only while not Busy():
    const TProjekt& Initial() const { return *m_initial; }
    /// The best project the last run found.
    const TProjekt& Centre() const { return m_pool.CentreProject(); }
    OptiOutcome Outcome() const { return m_outcome; }

    /// Ends the thread within one step and joins it.
    void Terminate();
    /// Asks the thread to end without waiting: a receiver that must keep serving the
    /// thread's reports until it has ended polls Ended() and then calls Terminate().
    void RequestTerminate();
    bool Ended() const { return m_ended; }

private:
    void run();
    OptiRunHooks hooks();

    const OptiCallbacks m_callbacks;
    TrialEngines m_pool;
    std::unique_ptr<TProjekt> m_initial;
    TOptiSettings m_settings;
    OptiOutcome m_outcome = OptiOutcome::NothingToDo;

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_wake;
    bool m_startRequested = false;
    bool m_busy = false;
    std::atomic<bool> m_abort{false};
    std::atomic<bool> m_terminate{false};
    std::atomic<bool> m_ended{false};
    std::atomic<int> m_progress{-1};
    std::thread m_thread;
};

} // namespace tavrel
