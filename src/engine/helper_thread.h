// Work split between the calling thread and one helper thread: the engine's long jobs use
// the second core this way without a thread pool.
#pragma once

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

namespace tavrel {

/// Runs work(from, to) over [0, count) in chunks of `chunk` that this thread and one helper
/// thread take in turn, so that a helper that gets no core early costs nothing but its start.
/// Fewer than four chunks and a failed thread start stay on this thread.
template <typename Work>
void ShareWithHelperThread(int count, int chunk, const Work& work) {
    if (count < 4 * chunk) {
        work(0, count);
        return;
    }
    std::atomic<int> next{0};
    const auto takeChunks = [&] {
        for (int from = next.fetch_add(chunk); from < count; from = next.fetch_add(chunk)) {
            work(from, std::min(from + chunk, count));
        }
    };
    std::thread helper;
    try {
        helper = std::thread(takeChunks);
    } catch (const std::system_error&) {
        // No helper: this thread takes every chunk.
    }
    takeChunks();
    if (helper.joinable()) {
        helper.join();
    }
}

} // namespace tavrel
