// TCalcThread: the background calculation. A request copies the whole project in and wakes
// the thread; the thread runs the pending jobs one per pass, reports progress after each,
// and at the end of the work hands the results over and sleeps until the next request.
// The three reports are plain calls made from the calculation thread that return only when
// the receiver has handled them; the UI marshals them into its event loop.
// Requests coalesce: only the newest waits, and a pass that a newer request overtakes is
// continued with that request at the next job boundary and never handed over, so a burst of
// requests costs about one calculation.
#pragma once

#include "engine/calc_engine.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tavrel {

struct CalcCallbacks {
    std::function<void(int jobsDone, int jobCount)> progress;
    /// The job states of the finished pass, as the error list shows them.
    std::function<void(const std::vector<std::string>& errors)> errors;
    /// The finished results, shared: the thread never writes them again, the receiver keeps
    /// them until the next hand-over (when it drops them) and may only mark them outdated
    /// (Valid). `valid` is true when no job reported an error.
    std::function<void(std::shared_ptr<TResult> result, bool valid)> handOver;
};

class TCalcThread {
public:
    /// `pause` is waited after each job (0: jobs run back to back). A silent thread makes no
    /// reports and computes only when asked.
    TCalcThread(bool silent, CalcCallbacks callbacks,
                std::chrono::milliseconds pause = std::chrono::milliseconds(0));
    ~TCalcThread();
    TCalcThread(const TCalcThread&) = delete;
    TCalcThread& operator=(const TCalcThread&) = delete;

    void RequestCalc(const TProjekt& project);
    void RequestFullCalc(const TProjekt& project);
    /// True while the thread sleeps with no request waiting.
    bool Finished() const;
    /// Blocks until Finished() or the timeout; true when finished.
    bool WaitFinished(std::chrono::milliseconds timeout) const;
    /// Ends the thread within one job and joins it.
    void Terminate();
    /// Asks the thread to end without waiting: a receiver that must keep serving the
    /// thread's reports until it has ended polls Ended() and then calls Terminate().
    void RequestTerminate();
    bool Ended() const;

    /// The results of the last pass; read only while Finished().
    const TResult& Result() const { return m_engine.Result(); }
    /// The whole working state of the last pass; read only while Finished().
    const TCalcEngine& Engine() const { return m_engine; }
    /// Starts the next request from another engine's state; only while Finished().
    void Seed(const TCalcEngine& from) { m_engine.CopyStateFrom(from); }
    /// The preferences the judgement of the next passes uses; only while Finished().
    void SetJudgeInputs(const TJudgeInputs& inputs) { m_engine.Judgement().In = inputs; }

private:
    void request(const TProjekt& project, bool full);
    void run();
    bool takeRequest();
    /// Ends the pass and hands over; false when a newer request made the pass stale.
    bool finishPass();
    bool requestWaiting() const;
    void pauseAfterJob();

    const bool m_silent;
    const CalcCallbacks m_callbacks;
    const std::chrono::milliseconds m_pause;
    TCalcEngine m_engine;

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_wake;
    std::unique_ptr<TProjekt> m_incoming;
    bool m_newData = false;
    bool m_recalcAll = false;
    bool m_firstRequestFull = false;
    bool m_idle = true;
    std::atomic<bool> m_terminate{false};
    std::atomic<bool> m_ended{false};
    std::thread m_thread;
};

} // namespace tavrel
