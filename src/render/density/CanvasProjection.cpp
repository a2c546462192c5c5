#include "CanvasProjection.h"

#include "SceneStyle.h"

#include <cmath>

namespace zephyra {

namespace {

// The turn of the normalised point in the plane of w and one other axis; identity for none.
Matrix4 TurnMatrix(const DensityScene& scene)
{
    Matrix4 m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    if (scene.turnAxis < 0 || scene.turnAxis > 2)
        return m;
    const int a = scene.turnAxis;
    const float c = std::cos(scene.turnRadians), s = std::sin(scene.turnRadians);
    m[a * 4 + a] = c; // column a: where the axis goes
    m[a * 4 + 3] = s;
    m[3 * 4 + a] = -s;
    m[3 * 4 + 3] = c;
    return m;
}

} // namespace

CanvasProjection ProjectionFor(const DensityScene& scene, const OrbitSource& source, int canvasWidth,
                               int canvasHeight)
{
    CanvasProjection pr;
    for (int k = 0; k < 4; ++k) {
        pr.normScale[k] = source.scale[k];
        pr.normOffset[k] = -source.centre[k] * source.scale[k];
    }
    // Clip = scene matrix x axis mapping of the normalised point; rows x, y and w.
    const Matrix4 scene4 =
        SceneMatrix(scene.camera, static_cast<float>(canvasWidth) / static_cast<float>(canvasHeight));
    const AffineMap axes = AxisMapping(scene.display);
    const Matrix4 clip = Multiply(scene4, Multiply(axes.linear, TurnMatrix(scene)));
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
