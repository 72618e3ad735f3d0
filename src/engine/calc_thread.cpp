#include "engine/calc_thread.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace tavrel {

namespace {

/// One step below normal priority, so the user interface stays responsive.
void lowerThreadPriority() {
    const auto tid = static_cast<id_t>(::syscall(SYS_gettid));
    ::setpriority(PRIO_PROCESS, tid, ::getpriority(PRIO_PROCESS, tid) + 1);
}

} // namespace

TCalcThread::TCalcThread(bool silent, CalcCallbacks callbacks, std::chrono::milliseconds pause)
    : m_silent(silent), m_callbacks(std::move(callbacks)), m_pause(pause),
      m_incoming(std::make_unique<TProjekt>()) {
    m_firstRequestFull = !silent; // the main thread's first pass computes everything
    m_engine.SetTimeCurves(!silent);
    m_thread = std::thread([this] { run(); });
}

TCalcThread::~TCalcThread() {
    Terminate();
}

void TCalcThread::RequestCalc(const TProjekt& project) {
    request(project, false);
}
void TCalcThread::RequestFullCalc(const TProjekt& project) {
    request(project, true);
}

void TCalcThread::request(const TProjekt& project, bool full) {
    {
        std::lock_guard lock(m_mutex);
        *m_incoming = project;
        (full || m_firstRequestFull ? m_recalcAll : m_newData) = true;
        m_firstRequestFull = false;
        m_idle = false;
    }
    m_wake.notify_all();
}

bool TCalcThread::Finished() const {
    std::lock_guard lock(m_mutex);
    return m_idle;
}

bool TCalcThread::WaitFinished(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(m_mutex);
    return m_wake.wait_for(lock, timeout, [this] { return m_idle; });
}

void TCalcThread::RequestTerminate() {
    {
        std::lock_guard lock(m_mutex);
        m_terminate = true;
    }
    m_wake.notify_all();
}

bool TCalcThread::Ended() const {
    return m_ended;
}

void TCalcThread::Terminate() {
    RequestTerminate();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

/// Steps 1 and 2 of a pass under the lock, so no request overlaps the change detection and
/// the copy of the project. Returns false when nothing was requested since the last pass.
bool TCalcThread::takeRequest() {
    std::lock_guard lock(m_mutex);
    if (!m_recalcAll && !m_newData) {
        return false;
    }
    if (m_recalcAll) {
        m_engine.MarkAll();
        m_recalcAll = false;
        m_newData = true;
    }
    m_engine.Accept(*m_incoming);
    m_newData = false;
    return true;
}

void TCalcThread::run() {
    lowerThreadPriority();
    bool requested = false;
    {
        std::unique_lock lock(m_mutex);
        // Created waiting: the first request starts the thread.
        m_wake.wait(lock, [this] { return m_terminate || m_newData || m_recalcAll; });
    }
    while (!m_terminate) {
        requested = takeRequest() || requested;
        if (!m_silent && m_callbacks.progress && m_engine.JobCount() > 0) {
            m_callbacks.progress(m_engine.JobsDone(), m_engine.JobCount());
        }
        if (m_engine.RunNextJob()) {
            pauseAfterJob();
            continue;
        }
        if (requested && finishPass()) {
            requested = false;
        }
        std::unique_lock lock(m_mutex);
        if (m_newData || m_recalcAll) {
            continue; // a request arrived during the last job: it is never lost
        }
        m_idle = true;
        m_wake.notify_all();
        m_wake.wait(lock, [this] { return m_terminate || m_newData || m_recalcAll; });
    }
    std::lock_guard lock(m_mutex);
    m_idle = true;
    m_ended = true;
    m_wake.notify_all();
}

bool TCalcThread::requestWaiting() const {
    std::lock_guard lock(m_mutex);
    return m_newData || m_recalcAll;
}

bool TCalcThread::finishPass() {
    // A pass overtaken by a newer request is dropped: its results would only be replaced a
    // moment later, and handing them over would hold the user interface up for nothing.
    if (requestWaiting()) {
        return false;
    }
    m_engine.FinishPass();
    if (m_silent) {
        return true;
    }
    if (requestWaiting()) {
        return false;
    }
    const TProjekt& w = m_engine.Working();
    const std::vector<std::string> errors = CollectErrors(m_engine.Status(), w);
    if (m_callbacks.errors) {
        m_callbacks.errors(errors);
    }
    if (m_callbacks.handOver) {
        m_callbacks.handOver(m_engine.ShareResult(), errors.empty());
        m_engine.PrepareNextPass(); // the receiver has let go of the results before
    }
    return true;
}

void TCalcThread::pauseAfterJob() {
    if (m_pause.count() <= 0) {
        return;
    }
    std::unique_lock lock(m_mutex);
    m_wake.wait_for(lock, m_pause, [this] { return m_terminate.load(); });
}

} // namespace tavrel
