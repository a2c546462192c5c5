#include "DensityCanvas.h"

namespace zephyra {

bool DensityCanvas::Allocate(std::size_t cells, int workers, bool colors)
{
    canvases_.clear();
    cells_ = cells;
    colors_ = colors;
    for (int w = 0; w < workers; ++w) {
        // calloc hands out pages the system zeroes when first touched: a sparse attractor costs
        // only the pages it hits.
        void* p = std::calloc(cells, CellBytes(colors));
        if (!p) {
            canvases_.clear();
            return false;
        }
        canvases_.emplace_back(p);
    }
    return true;
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
