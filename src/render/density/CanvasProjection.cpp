#include "CanvasProjection.h"

#include "SceneStyle.h"

namespace zephyra {

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
