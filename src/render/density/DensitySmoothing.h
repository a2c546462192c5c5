#pragma once
#include "FreeRunKernel.h"
#include "ZeroedPages.h"

#include <cstddef>

namespace zephyra {

// Adaptive density estimation: each canvas cell's count is spread over a kernel whose radius
// shrinks as the count grows, radius / sqrt(count) picture pixels, so that every kernel gathers
// about as many points. A sparse region's lone hits become a smooth haze; a dense cell's kernel
// falls within the cell itself and stays sharp. The kernel is 1 - d^2 / r^2, its weights summing
// to one, so no hit is lost except past the canvas's edges.
struct SmoothedCells {
    ZeroedFloats density; // one a canvas cell, in the order of the counts: pixel by pixel, S x S each
    // With coordinate colours, four a picture pixel: the weight of the hits spread into it and
    // the sums of their colours (0..1 a hit).
    ZeroedFloats colors;
    // Set by PrepareSmoothing: both are zero and of the size the next SmoothCells needs.
    bool prepared = false;
};

// Allocates and zeroes `out` now for a SmoothCells of a canvas of `pixels` picture pixels, so that
// another thread can have the system zero the memory ahead of the smoothing. False when the memory
// cannot be had.
[[nodiscard]] bool PrepareSmoothing(std::size_t pixels, int supersample, bool colors, SmoothedCells& out);

// Smooths the counts (and with coloured cells, the colours) of a canvas of `width` x `rows`
// picture pixels whose first row is picture row `top`, with kernels of at most `radius` picture
// pixels, into `out`. `workers` threads (at least 1) share the work. Every cell adds its shares
// in an order fixed by its place in the picture, so neither the number of workers nor a strip
// that holds the rows within reach of it changes a bit of its density. False when the memory
// cannot be had.
[[nodiscard]] bool SmoothCells(const CanvasCells& cells, int width, int rows, int top, float radius,
                               int workers, SmoothedCells& out);

// The canvas rows a kernel of at most `radius` picture pixels reaches beyond its cell's row, in
// picture rows.
[[nodiscard]] int SmoothingReach(float radius);

// The extra bytes a picture pixel costs while smoothing.
[[nodiscard]] std::size_t SmoothingPixelBytes(int supersample, bool colors);

} // namespace zephyra
