#pragma once
#include <algorithm>
#include <thread>
#include <vector>

namespace zephyra {

// Runs `work(part)` for every part in [0, parts), one a thread, part 0 on the calling thread, and
// returns when all are done.
template <typename Work> void InParts(int parts, const Work& work)
{
    std::vector<std::jthread> threads;
    for (int part = 1; part < parts; ++part)
        threads.emplace_back([&work, part] { work(part); });
    work(0);
}

// Runs `work(first, end)` over `workers` (at least 1) bands of rows [0, rows), one a thread, the
// first on the calling thread, and returns when all are done.
template <typename Work> void InRowBands(int rows, int workers, const Work& work)
{
    const int band = (rows + workers - 1) / workers;
    const int bands = band > 0 ? (rows + band - 1) / band : 1;
    InParts(bands, [&](int b) { work(b * band, std::min((b + 1) * band, rows)); });
}

} // namespace zephyra
