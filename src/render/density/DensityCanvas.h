#pragma once
#include "FreeRunKernel.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace zephyra {

// The canvases of one pass, one per worker so that workers never share a cell, summed into the
// first when the pass ends. Integer sums make the result independent of which worker drew what.
class DensityCanvas {
public:
    // Bytes of one cell: counts alone, or counts and colour sums.
    [[nodiscard]] static std::size_t CellBytes(bool colors)
    {
        return colors ? sizeof(ColorCell) : sizeof(std::uint32_t);
    }

    // Zeroed canvases of `cells` cells for `workers` workers that add at most `hits` hits in all;
    // false when the memory cannot be had.
    [[nodiscard]] bool Allocate(std::size_t cells, int workers, bool colors, std::uint64_t hits);
    [[nodiscard]] CanvasCells Worker(int worker) const;
    // Adds every worker's canvas into the first: exact sums for coloured cells, counts alone held
    // at their limit. The first's wide cells end sorted by index, one a cell.
    void Merge();
    // After Merge: the summed canvas.
    [[nodiscard]] CanvasCells Sum() const { return Worker(0); }

private:
    struct Unmap {
        std::size_t bytes;
        void operator()(void* p) const;
    };
    std::vector<std::unique_ptr<void, Unmap>> canvases_;
    std::unique_ptr<std::vector<WideCell>[]> wide_; // one list a worker
    std::size_t cells_ = 0;
    bool colors_ = false;
};

} // namespace zephyra
