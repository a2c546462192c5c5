#pragma once
#include <algorithm>
#include <thread>
#include <vector>

namespace zephyra {

// Runs `work(first, end)` over `workers` (at least 1) bands of rows [0, rows), one a thread, the
// first on the calling thread, and returns when all are done.
template <typename Work> void InRowBands(int rows, int workers, const Work& work)
{
    const int band = (rows + workers - 1) / workers;
    std::vector<std::jthread> threads;
    for (int first = band; first < rows; first += band)
        threads.emplace_back([&work, first, band, rows] { work(first, std::min(first + band, rows)); });
    work(0, std::min(band, rows));
}

} // namespace zephyra
