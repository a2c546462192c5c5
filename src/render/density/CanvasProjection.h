#pragma once
#include "DensityScene.h"
#include "FreeRunKernel.h"

namespace zephyra {

// The projection of the view (camera, axis mapping, colour mapping scaled by fgColor) composed with
// the exact orbit's normalisation, for a canvas of canvasWidth x canvasHeight cells; the pass keeps
// every row.
[[nodiscard]] CanvasProjection ProjectionFor(const DensityScene& scene, const OrbitSource& source,
                                             int canvasWidth, int canvasHeight);

// Sets the projection's depths for a depth shade: the exact orbit's, and a margin for the free
// orbits that stray beyond it, spread over 0..DEEPEST.
void SetDepthRange(CanvasProjection& projection, const OrbitSource& source);

} // namespace zephyra
