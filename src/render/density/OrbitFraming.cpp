#include "OrbitFraming.h"

#include "CanvasProjection.h"

#include <algorithm>
#include <cmath>

namespace zephyra {

namespace {

// The share of each side of the picture the attractor may cover.
constexpr double FILL = 0.9;
// Enough rounds for the perspective's pull to settle well within a pixel.
constexpr int ROUNDS = 40;

} // namespace

void OrbitFraming::Add(const DensityScene& scene, const OrbitSource& source, std::size_t limit)
{
    DensityScene turned = scene;
    turned.camera.zoom = 0.0f;
    turned.camera.tx = turned.camera.ty = 0.0f;
    // With no translation and a square canvas, clip x and y are the eye's x and y times the
    // projection's scale, clip w the eye's depth negated.
    const CanvasProjection pr = ProjectionFor(turned, source, 2, 2);
    const Matrix4 p = Perspective(scene.camera.fov, 1.0f);
    const std::size_t step = std::max<std::size_t>(1, source.starts.size() / std::max<std::size_t>(1, limit));
    for (std::size_t i = 0; i < source.starts.size(); i += step) {
        double n[4];
        for (int k = 0; k < 4; ++k)
            n[k] = source.starts[i][k] * pr.normScale[k] + pr.normOffset[k];
        double clip[3];
        for (int r = 0; r < 3; ++r)
            clip[r] = pr.clip[r][0] * n[0] + pr.clip[r][1] * n[1] + pr.clip[r][2] * n[2] +
                      pr.clip[r][3] * n[3] + pr.clipOffset[r];
        const std::array<double, 3> e{clip[0] / p[0], clip[1] / p[5], -clip[2]};
        if (std::isfinite(e[0]) && std::isfinite(e[1]) && std::isfinite(e[2]))
            eye_.push_back(e);
    }
}

CameraPose OrbitFraming::Fit(const CameraPose& pose, float aspect) const
{
    if (eye_.empty())
        return pose;
    const Matrix4 p = Perspective(pose.fov, aspect);
    const double sx = p[0], sy = p[5];
    double nearest = -HUGE_VAL, extent = 0.0;
    for (const auto& e : eye_) {
        nearest = std::max(nearest, e[2]);
        extent = std::max({extent, std::fabs(e[0]), std::fabs(e[1]), std::fabs(e[2])});
    }
    if (!(extent > 0.0) || !std::isfinite(extent))
        return pose;
    // Every point stays in front of the eye, by a share of the orbit's size.
    const double closest = nearest + 0.05 * extent;
    double zoom = std::max<double>(pose.zoom, closest + extent), tx = 0.0, ty = 0.0;
    for (int round = 0; round < ROUNDS; ++round) {
        double x0 = HUGE_VAL, x1 = -HUGE_VAL, y0 = HUGE_VAL, y1 = -HUGE_VAL, depth = 0.0;
        for (const auto& e : eye_) {
            const double w = zoom - e[2];
            const double x = sx * (e[0] + tx) / w, y = sy * (e[1] + ty) / w;
            x0 = std::min(x0, x);
            x1 = std::max(x1, x);
            y0 = std::min(y0, y);
            y1 = std::max(y1, y);
            depth += w;
        }
        depth /= static_cast<double>(eye_.size());
        // Normalised device coordinates run -1..1 along each side: the wider half decides.
        const double ratio = std::max(x1 - x0, y1 - y0) / (2.0 * FILL);
        tx -= 0.5 * (x0 + x1) * depth / sx;
        ty -= 0.5 * (y0 + y1) * depth / sy;
        zoom = std::max(zoom + depth * (ratio - 1.0), closest);
    }
    CameraPose fitted = pose;
    fitted.zoom = static_cast<float>(zoom);
    fitted.tx = static_cast<float>(tx);
    fitted.ty = static_cast<float>(ty);
    if (!std::isfinite(fitted.zoom) || !std::isfinite(fitted.tx) || !std::isfinite(fitted.ty))
        return pose;
    return fitted;
}

DensityScene FramedScene(const DensityScene& scene, const OrbitSource& source, float aspect)
{
    OrbitFraming framing;
    framing.Add(scene, source);
    DensityScene framed = scene;
    framed.camera = framing.Fit(scene.camera, aspect);
    return framed;
}

} // namespace zephyra
