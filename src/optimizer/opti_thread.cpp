#include "optimizer/opti_thread.h"

namespace tavrel {

TOptiThread::TOptiThread(OptiCallbacks callbacks)
    : m_callbacks(std::move(callbacks)), m_initial(std::make_unique<TProjekt>()) {
    m_thread = std::thread([this] { run(); });
}

TOptiThread::~TOptiThread() {
    Terminate();
}

bool TOptiThread::Start(const TProjekt& project, const TOptiSettings& settings,
                        const TCalcEngine* seed) {
    {
        std::lock_guard lock(m_mutex);
        if (m_busy || m_terminate) {
            return false;
        }
        *m_initial = project;
        m_settings = settings;
        m_pool.Prepare(JudgeInputsOf(settings), seed);
        m_abort = false;
        m_progress = 0;
        m_busy = true;
        m_startRequested = true;
    }
    m_wake.notify_all();
    return true;
}

void TOptiThread::Abort() {
    m_abort = true;
}

bool TOptiThread::Busy() const {
    std::lock_guard lock(m_mutex);
    return m_busy;
}

bool TOptiThread::WaitIdle(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(m_mutex);
    return m_wake.wait_for(lock, timeout, [this] { return !m_busy; });
}

void TOptiThread::RequestTerminate() {
    {
        std::lock_guard lock(m_mutex);
        m_terminate = true;
        m_abort = true;
    }
    m_wake.notify_all();
}

void TOptiThread::Terminate() {
    RequestTerminate();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

/// The run's reports go out only while nobody is ending the thread: a window being destroyed
/// must not be asked anything.
OptiRunHooks TOptiThread::hooks() {
    OptiRunHooks h;
    h.report = [this](const OptiReport& report) {
        if (!m_terminate && m_callbacks.report) {
            m_callbacks.report(report);
        }
    };
    h.fixByHand = [this](const FixationRequest& request) {
        return !m_terminate && m_callbacks.fixByHand && m_callbacks.fixByHand(request);
    };
    return h;
}

void TOptiThread::run() {
    while (true) {
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_terminate || m_startRequested; });
            if (m_terminate) {
                break;
            }
            m_startRequested = false;
        }
        OptiRun run(m_pool, m_settings, hooks(), m_progress, m_abort);
        const OptiOutcome outcome = run.Run(*m_initial);
        m_progress = -1;
        {
            std::lock_guard lock(m_mutex);
            m_outcome = outcome;
        }
        if (!m_terminate && m_callbacks.finished) {
            m_callbacks.finished(outcome);
        }
        {
            std::lock_guard lock(m_mutex);
            m_abort = false;
            m_busy = false;
        }
        m_wake.notify_all();
    }
    std::lock_guard lock(m_mutex);
    m_busy = false;
    m_ended = true;
    m_wake.notify_all();
}

} // namespace tavrel
