#pragma once
#include "FreeRunKernel.h"
#include "ZeroedPages.h"

#include <cstddef>

namespace zephyra {

// Depth shading in the manner of eye-dome lighting for point clouds: a pixel whose neighbours lie
// in front of it is darkened by how far they do, so a sheet that folds behind another shows a
// shadow along the nearer one's edge and the attractor reads as a body rather than a flat haze.
// Depths are means over the pixels around each (weighed by their hits), so that lone hits of
// sparse regions do not speckle the shade.

// The radii, in picture pixels, at which a pixel compares its depth with its eight neighbours':
// two, so that both a sheet's near edge and a broad fold show.
inline constexpr int SHADE_RADII[] = {1, 3};
// How dark a depth step makes a pixel: its shade is exp(-SHADE_STRENGTH x the mean over the radii
// of the sums over four axes of its step behind the axis's pair of neighbours, 2 x its depth - the
// depths of the two, held to 0..SHADE_LARGEST_STEP), depths in shares of DEEPEST. Where thin sheets
// cross, a pixel's mean depth mixes theirs by their densities and jumps along every caustic: the
// cap keeps those jumps to an outline rather than a black band.
inline constexpr float SHADE_STRENGTH = 4.0f;
inline constexpr float SHADE_LARGEST_STEP = 0.05f;

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
