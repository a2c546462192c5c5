#include "DensityCanvas.h"

#include <sys/mman.h>

namespace zephyra {

bool DensityCanvas::Allocate(std::size_t cells, int workers, bool colors)
{
    canvases_.clear();
    cells_ = cells;
    colors_ = colors;
    const std::size_t bytes = cells * CellBytes(colors);
    for (int w = 0; w < workers; ++w) {
        // Anonymous pages are zeroed when first touched, so a sparse attractor costs only the pages
        // it hits. Huge pages keep the scattered increments from missing the address cache at
        // nearly every point of a canvas of a hundred megabytes.
        void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED) {
            canvases_.clear();
            return false;
        }
        madvise(p, bytes, MADV_HUGEPAGE);
        canvases_.emplace_back(p, Unmap{bytes});
    }
    return true;
}

void DensityCanvas::Unmap::operator()(void* p) const
{
    munmap(p, bytes);
}

CanvasCells DensityCanvas::Worker(int worker) const
{
    void* p = canvases_[static_cast<std::size_t>(worker)].get();
    CanvasCells c;
    if (colors_)
        c.cells = static_cast<ColorCell*>(p);
    else
        c.counts = static_cast<std::uint32_t*>(p);
    return c;
}

void DensityCanvas::Merge()
{
    const CanvasCells sum = Worker(0);
    for (std::size_t w = 1; w < canvases_.size(); ++w) {
        const CanvasCells part = Worker(static_cast<int>(w));
        for (std::size_t i = 0; i < cells_; ++i) {
            if (colors_) {
                ColorCell& to = sum.cells[i];
                const ColorCell& from = part.cells[i];
                if (from.count == 0)
                    continue;
                // A cell at its limit in both keeps its colour average and stops counting.
                const std::uint64_t total = std::uint64_t{to.count} + from.count;
                if (total > CELL_COUNT_LIMIT && to.count >= from.count)
                    continue;
                if (total > CELL_COUNT_LIMIT) {
                    to = from;
                    continue;
                }
                to.count += from.count;
                to.red += from.red;
                to.green += from.green;
                to.blue += from.blue;
            } else {
                const std::uint64_t total = std::uint64_t{sum.counts[i]} + part.counts[i];
                sum.counts[i] = total > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(total);
            }
        }
    }
}

} // namespace zephyra
