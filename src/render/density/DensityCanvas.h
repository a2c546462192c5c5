#pragma once
#include "FreeRunKernel.h"
#include "ZeroedPages.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace zephyra {

// The hits of a picture pixel of a merged canvas and the sums of their colour bytes, its wide
// cell included.
struct ColorSums {
    std::uint64_t count = 0;
    std::uint64_t sums[3]{};
};
[[nodiscard]] ColorSums PixelColorSums(const CanvasCells& cells, std::size_t pixel);

// The canvases of one pass, one per worker so that workers never share a cell, summed into the
// first when the pass ends. Integer sums make the result independent of which worker drew what.
class DensityCanvas {
public:
    // Bytes a picture pixel costs one worker: S x S counts, a coloured cell for coordinate colours
    // and a depth sum for a depth shade.
    [[nodiscard]] static std::size_t PixelBytes(int supersample, bool colors, bool depth)
    {
        return static_cast<std::size_t>(supersample) * static_cast<std::size_t>(supersample) *
                   sizeof(std::uint32_t) +
               (colors ? sizeof(ColorCell) : 0) +
               (depth ? CanvasCells::DEPTH_WORDS * sizeof(std::uint32_t) : 0);
    }
    // Words a picture pixel's record takes.
    [[nodiscard]] static std::size_t PixelWords(int supersample, bool colors, bool depth)
    {
        return PixelBytes(supersample, colors, depth) / sizeof(std::uint32_t);
    }

    // Zeroed canvases of `pixels` picture pixels at supersample S for `workers` workers that add
    // at most `hits` hits in all; false when the memory cannot be had.
    [[nodiscard]] bool Allocate(std::size_t pixels, int supersample, int workers, bool colors, bool depth,
                                std::uint64_t hits);
    [[nodiscard]] CanvasCells Worker(int worker) const;
    // Has the system zero every canvas's pages now (see TouchPages).
    void Touch() const;
    // Adds every worker's canvas into the first on `workers` threads: counts held at their limit,
    // exact sums for coloured cells and depths. The first's wide cells end sorted by index, one a
    // cell.
    void Merge(int workers);
    // After Merge: the summed canvas.
    [[nodiscard]] CanvasCells Sum() const { return Worker(0); }

private:
    std::vector<ZeroedPages> records_;              // one a worker
    std::unique_ptr<std::vector<WideCell>[]> wide_; // one list a worker
    CanvasCells layout_;                            // without words and wide cells
    std::size_t pixels_ = 0;
};

} // namespace zephyra
