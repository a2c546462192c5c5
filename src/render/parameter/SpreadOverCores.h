#pragma once
#include "LyapunovMap.h"

#include <algorithm>
#include <atomic>
#include <stop_token>
#include <thread>
#include <vector>

namespace zephyra {

// Runs `item(i)` for every i from 0 to count - 1 on `threads` threads (0: every core), handing the
// items out one at a time, so that slow ones (a pixel row that does not escape) do not hold up a
// thread's share. The calling thread reports the share done. False when stopped before every item
// ran.
template <typename Item>
[[nodiscard]] bool SpreadOverCores(int count, int threads, std::stop_token stop, const MapProgress& progress,
                                   Item item)
{
    std::atomic<int> next{0};
    std::atomic<int> done{0};
    const auto work = [&](bool reports) {
        for (int i = next++; i < count && !stop.stop_requested(); i = next++) {
            item(i);
            const int finished = ++done;
            if (reports && progress)
                progress(static_cast<double>(finished) / count);
        }
    };
    const int cores =
        threads > 0 ? threads : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    {
        std::vector<std::jthread> helpers;
        for (int t = 1; t < std::min(cores, count); ++t)
            helpers.emplace_back([&] { work(false); });
        work(true);
    }
    return done == count;
}

} // namespace zephyra
