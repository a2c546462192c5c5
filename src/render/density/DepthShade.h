#pragma once
#include "FreeRunKernel.h"
#include "ZeroedPages.h"

#include <cstddef>

namespace zephyra {

// Depth shading in the manner of eye-dome lighting for point clouds: a pixel whose neighbours lie
// in front of it is darkened by how far they do, so a sheet that folds behind another shows a
// shadow along the nearer one's edge and the attractor reads as a body rather than a flat haze.
// A pixel's depth is the mean depth of the hits within a pixel of it (hit-weighted), so that lone
// hits of sparse regions do not speckle the shade.

// The shade of every picture pixel of a summed canvas with depth sums, `width` x `rows` picture
// pixels: 1 for a pixel nothing lies in front of nearby (and for one nothing hit), towards 0 the
// further its neighbours lie in front. `workers` threads (at least 1) share the rows; each pixel
// depends on its neighbourhood alone, so neither workers nor strips change a bit. False when the
// memory cannot be had.
[[nodiscard]] bool ShadeCells(const CanvasCells& cells, int width, int rows, int workers,
                              ZeroedFloats& shade);

// The picture rows a pixel's shade reads beyond its own.
[[nodiscard]] int ShadeReach();

// The bytes a picture pixel costs while shading.
[[nodiscard]] std::size_t ShadePixelBytes();

} // namespace zephyra
