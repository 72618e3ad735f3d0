#include "engine/helper_thread.h"

#include <chrono>
#include <system_error>

namespace tavrel {
namespace {

/// How long a thread keeps looking for the other's signal before it sleeps. Waking a sleeping
/// thread costs some 35 µs on a virtual machine, as much as a small job; a pass hands several
/// tasks over within this time. Yielding while looking leaves the core to any thread that
/// has work.
constexpr auto SpinTime = std::chrono::microseconds(200);

template <typename Done>
bool SpinUntil(const Done& done) {
    const auto end = std::chrono::steady_clock::now() + SpinTime;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::yield();
    }
    return true;
}

} // namespace

HelperThread::~HelperThread() {
    {
        const std::lock_guard lock(m_mutex);
        m_state = Stopping;
    }
    m_wake.notify_one();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

bool HelperThread::post(void (*task)(void*), void* context) {
    if (!m_thread.joinable() && !m_startFailed) {
        try {
            m_thread = std::thread([this] { loop(); });
        } catch (const std::system_error&) {
            m_startFailed = true; // the caller then does every chunk itself
        }
    }
    if (m_startFailed) {
        return false;
    }
    m_task = task;
    m_context = context;
    {
        const std::lock_guard lock(m_mutex);
        m_state = Posted;
    }
    m_wake.notify_one();
    return true;
}

void HelperThread::wait() {
    if (SpinUntil([this] { return m_state.load() == Idle; })) {
        return;
    }
    std::unique_lock lock(m_mutex);
    m_finished.wait(lock, [this] { return m_state.load() == Idle; });
}

void HelperThread::loop() {
    for (;;) {
        if (!SpinUntil([this] { return m_state.load() != Idle; })) {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_state.load() != Idle; });
        }
        if (m_state.load() == Stopping) {
            return;
        }
        m_task(m_context);
        {
            const std::lock_guard lock(m_mutex);
            m_state = Idle;
        }
        m_finished.notify_one();
    }
}

HelperThread& ThisThreadsHelper() {
    thread_local HelperThread helper;
    return helper;
}

} // namespace tavrel
