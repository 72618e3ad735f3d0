// Work split between the calling thread and one helper thread: the engine's long jobs use
// the second core this way without a thread pool.
#pragma once

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace tavrel {

/// A thread that sleeps until the thread owning it hands it a task. Every thread that splits
/// work keeps its own (see ThisThreadsHelper), so a split costs a wake-up rather than a thread
/// start, and engines on different threads never wait for each other's helper.
class HelperThread {
public:
    HelperThread() = default;
    HelperThread(const HelperThread&) = delete;
    HelperThread& operator=(const HelperThread&) = delete;
    ~HelperThread();

    /// Starts task(context) on the helper; false (and nothing started) when no thread could be
    /// created. Each successful post is followed by wait() before the next.
    bool post(void (*task)(void*), void* context);
    /// Returns once the posted task has finished.
    void wait();

private:
    void loop();

    enum State : int { Idle, Posted, Stopping };

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_finished;
    std::atomic<int> m_state{Idle}; ///< changed under m_mutex, read without it while spinning
    void (*m_task)(void*) = nullptr;
    void* m_context = nullptr;
    bool m_startFailed = false;
    std::thread m_thread;
};

/// The calling thread's helper, started at its first use and joined when the thread ends.
HelperThread& ThisThreadsHelper();

/// Runs work(from, to) over [0, count) in chunks of `chunk` that this thread and its helper
/// thread take in turn, so that a helper that gets no core early costs little. Fewer than
/// `minChunks` chunks, and a helper that cannot be started, leave every chunk to this thread.
template <typename Work>
void ShareWithHelperThread(int count, int chunk, const Work& work, int minChunks = 4) {
    if (count < minChunks * chunk || count <= chunk) {
        work(0, count);
        return;
    }
    std::atomic<int> next{0};
    const auto takeChunks = [&] {
        for (int from = next.fetch_add(chunk); from < count; from = next.fetch_add(chunk)) {
            work(from, std::min(from + chunk, count));
        }
    };
    using TakeChunks = decltype(takeChunks);
    HelperThread& helper = ThisThreadsHelper();
    const bool shared =
        helper.post([](void* context) { (*static_cast<const TakeChunks*>(context))(); },
                    const_cast<void*>(static_cast<const void*>(&takeChunks)));
    try {
        takeChunks();
    } catch (...) {
        if (shared) {
            helper.wait(); // it still works on this frame's chunks
        }
        throw;
    }
    if (shared) {
        helper.wait();
    }
}

} // namespace tavrel
