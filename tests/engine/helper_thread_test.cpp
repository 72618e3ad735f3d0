#include "engine/helper_thread.h"

#include <chrono>
#include <gtest/gtest.h>
#include <stdexcept>
#include <thread>
#include <tuple>
#include <vector>

namespace tavrel {
namespace {

/// How often ShareWithHelperThread hands each index of [0, count) to the work.
std::vector<int> Visits(int count, int chunk, int minChunks) {
    std::vector<std::atomic<int>> visits(static_cast<std::size_t>(count));
    ShareWithHelperThread(
        count, chunk,
        [&](int from, int to) {
            for (int i = from; i < to; ++i) {
                ++visits[static_cast<std::size_t>(i)];
            }
        },
        minChunks);
    return {visits.begin(), visits.end()};
}

class HelperThreadShares : public testing::TestWithParam<std::tuple<int, int, int>> {};

TEST_P(HelperThreadShares, EveryIndexExactlyOnce) {
    const auto [count, chunk, minChunks] = GetParam();
    for (int round = 0; round < 20; ++round) { // the helper is reused from the second round
        EXPECT_EQ(Visits(count, chunk, minChunks), std::vector<int>(count, 1));
    }
}

INSTANTIATE_TEST_SUITE_P(Splits, HelperThreadShares,
                         testing::Values(std::tuple{0, 16, 4}, std::tuple{1, 1, 2},
                                         std::tuple{3, 1, 4}, std::tuple{599, 64, 4},
                                         std::tuple{601, 16, 4}, std::tuple{9, 1, 2}));

TEST(HelperThread, AnExceptionOnThisThreadWaitsForTheHelperFirst) {
    const std::thread::id owner = std::this_thread::get_id();
    std::atomic<int> done{0};
    const auto work = [&](int from, int to) {
        if (std::this_thread::get_id() == owner && from > 0) {
            throw std::runtime_error("chunk failed");
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
        done += to - from;
    };
    EXPECT_THROW(ShareWithHelperThread(64, 1, work), std::runtime_error);
    const int seen = done; // the helper is finished: nothing changes any more
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(done, seen);
}

TEST(HelperThread, ThreadsSplittingAtOnceEachUseTheirOwnHelper) {
    std::vector<std::vector<int>> seen(3);
    std::vector<std::thread> threads;
    for (auto& visits : seen) {
        threads.emplace_back([&visits] {
            for (int round = 0; round < 50 && visits.empty(); ++round) {
                const std::vector<int> v = Visits(301, 8, 4);
                if (v != std::vector<int>(301, 1)) {
                    visits = v;
                }
            }
        });
    }
    for (std::thread& t : threads) {
        t.join();
    }
    for (const auto& visits : seen) {
        EXPECT_TRUE(visits.empty()) << "an index was skipped or taken twice";
    }
}

} // namespace
} // namespace tavrel
