#pragma once
#include "DensityRenderer.h"
#include "FreeRunKernel.h"
#include "ToneCurve.h"

namespace zephyra {

// A summed canvas of `rows` picture rows of `width` cells, one a pixel.
struct CanvasStrip {
    CanvasCells cells;
    int width = 0;
    int rows = 0;
};

// Counts every pixel of the strip into the histogram.
void CountPixels(const CanvasStrip& strip, DensityHistogram& histogram);

struct ResolveStyle {
    Palette palette = Palette::Coordinates;
    Rgb background{};
    int depth = 8;
};

// The strip's pixels: brightness from the pixel's count through the curve. Coordinate
// colours are the pixel's average point colour laid over the background with the brightness as
// opacity; a palette paints every pixel that was hit with its colour at that brightness (palettes
// start dark: they suit a dark background). Pixels nothing hit keep the background.
[[nodiscard]] Picture ResolveStrip(const CanvasStrip& strip, const ToneCurve& curve,
                                   const ResolveStyle& style);

} // namespace zephyra
