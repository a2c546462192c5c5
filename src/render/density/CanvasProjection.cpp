#include "CanvasProjection.h"

#include "SceneStyle.h"

#include <algorithm>

namespace zephyra {

// Spreads the depths of the exact orbit, and a margin for the free orbits that stray beyond it,
// over 0..DEEPEST; in front of the eye (w <= 0) nothing is drawn.
void SetDepthRange(CanvasProjection& pr, const OrbitSource& source)
{
    float nearest = 0.0f, farthest = 0.0f;
    bool any = false;
    for (const Point& p : source.starts) {
        float w = pr.clipOffset[2];
        for (int k = 0; k < 4; ++k)
            w += pr.clip[2][k] *
                 static_cast<float>(p[static_cast<std::size_t>(k)] * pr.normScale[k] + pr.normOffset[k]);
        if (!(w > 0.0f))
            continue;
        nearest = any ? std::min(nearest, w) : w;
        farthest = any ? std::max(farthest, w) : w;
        any = true;
    }
    constexpr float MARGIN = 0.05f;
    const float span = (farthest - nearest) * (1.0f + 2.0f * MARGIN);
    pr.depthNear = nearest - (farthest - nearest) * MARGIN;
    pr.depthScale = span > 0.0f ? DEEPEST / span : 0.0f;
}

CanvasProjection ProjectionFor(const DensityScene& scene, const OrbitSource& source, int canvasWidth,
                               int canvasHeight)
{
    CanvasProjection pr;
    for (int k = 0; k < 4; ++k) {
        pr.normScale[k] = source.scale[k];
        pr.normOffset[k] = -source.centre[k] * source.scale[k];
    }
    // Clip = scene matrix x axis mapping of the normalised point after its 4D turn; rows x, y and w.
    const Matrix4 scene4 =
        SceneMatrix(scene.camera, static_cast<float>(canvasWidth) / static_cast<float>(canvasHeight));
    const AffineMap axes = TurnedAxisMapping(scene.display, scene.camera);
    const Matrix4 clip = Multiply(scene4, axes.linear);
    const Vector4 clipOffset = Transform(scene4, axes.offset);
    const int rows[3] = {0, 1, 3};
    for (int r = 0; r < 3; ++r) {
        for (int k = 0; k < 4; ++k)
            pr.clip[r][k] = clip[k * 4 + rows[r]];
        pr.clipOffset[r] = clipOffset[rows[r]];
    }
    const AffineMap colors = ColorMapping(scene.display, scene.display.fgColor, false);
    for (int c = 0; c < 3; ++c) {
        for (int k = 0; k < 4; ++k)
            pr.color[c][k] = colors.linear[k * 4 + c] * 255.0f;
        pr.colorOffset[c] = colors.offset[c] * 255.0f;
    }
    pr.width = canvasWidth;
    pr.height = canvasHeight;
    pr.top = 0;
    pr.rows = canvasHeight;
    pr.halfWidth = 0.5f * static_cast<float>(canvasWidth);
    pr.centreX = pr.halfWidth;
    pr.halfHeight = 0.5f * static_cast<float>(canvasHeight);
    pr.centreY = pr.halfHeight;
    return pr;
}

} // namespace zephyra
