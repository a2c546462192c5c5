#pragma once
#include "DensityOptions.h"
#include "DensitySmoothing.h"
#include "FreeRunKernel.h"
#include "Picture.h"
#include "ToneCurve.h"

#include <functional>

namespace zephyra {

// A summed canvas of `rows` picture rows of `width` pixels, S x S counts a pixel, after `skip`
// rows drawn only for the smoothing or the shade to reach into. Smoothed, its densities and
// colours are those of `smoothed`; shaded, each pixel is darkened by its `shade` (DepthShade.h).
// Both cover every drawn row.
struct CanvasStrip {
    CanvasCells cells;
    int width = 0;
    int rows = 0;
    int supersample = 1;
    int skip = 0;
    const SmoothedCells* smoothed = nullptr;
    const ZeroedFloats* shade = nullptr;
};

// Counts every canvas cell of the strip into the histogram, on `workers` (at least 1) threads.
void CountPixels(const CanvasStrip& strip, DensityHistogram& histogram, int workers);

struct ResolveStyle {
    Palette palette = Palette::Coordinates;
    Rgb background{};
    int depth = 8;
    bool transparent = false; // RGBA with no background: the brightness is the opacity
    // A palette over a background of the caller's choosing: each cell's colour is laid over the
    // background with the square root of its brightness as opacity (lifting the faint cells as
    // for coordinate colours), so the thinnest regions fade into it.
    bool blend = false;
};

// The style of the options: a palette without a chosen background sits on the palette's colour
// for no density, coordinate colours on the attractor's background `sceneBackground`.
[[nodiscard]] ResolveStyle StyleOf(const DensityOptions& options, const Rgb& sceneBackground);

// The strip's pixels, each the average of its S x S canvas cells tone-mapped one by one, so that
// supersampling smooths edges. A cell's brightness comes from its count through the curve.
// Coordinate colours are the pixel's average point colour laid over the background with the
// brightness as opacity; a palette paints every cell that was hit with its colour at that
// brightness. Cells nothing hit keep the background. A point colour within 20 % luminance of
// the background (grey by w on white, dark colours on black) is darkened or lightened by the
// brightness, so that the attractor's own colours stay readable. A transparent picture has no
// background: each pixel holds the colour (not premultiplied) and the brightness as its alpha,
// so that laid over any background it looks as an opaque picture on that background would.
// A shaded pixel is darkened towards black by its shade, as far as its brightness says the
// attractor covers it; a transparent one only in its colour.
// `workers` (at least 1) threads resolve bands of RESOLVE_BAND_ROWS rows from the top while the
// calling thread hands each band, in order, to `sink` with its first row within the strip, so
// that a picture is encoded while the rest of it is still being resolved.
constexpr int RESOLVE_BAND_ROWS = 16;
using BandSink = std::function<void(const Picture& band, int first)>;
void ResolveStrip(const CanvasStrip& strip, const ToneCurve& curve, const ResolveStyle& style, int workers,
                  const BandSink& sink);

} // namespace zephyra
