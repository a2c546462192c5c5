#include "OrbitFraming.h"

#include "CanvasProjection.h"

#include <algorithm>
#include <cmath>

namespace zephyra {

namespace {

// The margin on every side, as a share of the picture's shorter side.
constexpr double MARGIN = 0.05;
// Enough rounds for the perspective's pull to settle well within a pixel; most settle to the last
// bit within 30 and stop there.
constexpr int ROUNDS = 60;
constexpr double DAMPING = 0.5;

} // namespace

void OrbitFraming::Add(const DensityScene& scene, const OrbitSource& source, std::size_t limit)
{
    Frame frame{scene, source};
    frame.source.starts.clear();
    const std::size_t step = std::max<std::size_t>(1, source.starts.size() / std::max<std::size_t>(1, limit));
    for (std::size_t i = 0; i < source.starts.size(); i += step)
        frame.source.starts.push_back(source.starts[i]);
    frames_.push_back(std::move(frame));
}

CameraPose OrbitFraming::Fit(const CameraPose& pose, float aspect) const
{
    if (frames_.empty())
        return pose;
    const Matrix4 p = Perspective(pose.fov, aspect);
    const double sx = p[0], sy = p[5];
    CameraPose fitted = pose;
    for (int round = 0; round < ROUNDS; ++round) {
        // Where the points land in normalised device coordinates, through the renderer's own
        // projection with this round's camera.
        double x0 = HUGE_VAL, x1 = -HUGE_VAL, y0 = HUGE_VAL, y1 = -HUGE_VAL, depth = 0.0, nearest = HUGE_VAL;
        std::size_t count = 0;
        for (const Frame& frame : frames_) {
            DensityScene scene = frame.scene;
            scene.camera.zoom = fitted.zoom;
            scene.camera.tx = fitted.tx;
            scene.camera.ty = fitted.ty;
            // A square projection: the picture's x is that over the aspect (its perspective's only
            // difference), which the margins below take into account.
            const CanvasProjection pr = ProjectionFor(scene, frame.source, 2, 2);
            for (const Point& point : frame.source.starts) {
                double clip[3];
                for (int r = 0; r < 3; ++r) {
                    clip[r] = pr.clipOffset[r];
                    for (int k = 0; k < 4; ++k)
                        clip[r] += pr.clip[r][k] * (point[k] * pr.normScale[k] + pr.normOffset[k]);
                }
                nearest = std::min(nearest, clip[2]);
                if (!(clip[2] > 0.0))
                    continue;
                const double x = clip[0] / clip[2], y = clip[1] / clip[2];
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
                depth += clip[2];
                ++count;
            }
        }
        if (count == 0 || !(nearest > 0.0)) {
            // Points behind the eye: step back by the largest distance seen so far and look again.
            fitted.zoom += std::max(1.0f, std::fabs(fitted.zoom));
            continue;
        }
        depth /= static_cast<double>(count);
        // Normalised device coordinates run -1..1 along each side; the margins are the same share of
        // the shorter side on all four, and the side that leaves less room decides.
        x0 /= aspect;
        x1 /= aspect;
        const double shorter = std::min(1.0, static_cast<double>(aspect)); // over the height
        const double roomX = 2.0 * (1.0 - 2.0 * MARGIN * shorter / aspect);
        const double roomY = 2.0 * (1.0 - 2.0 * MARGIN * shorter);
        const double ratio = std::max((x1 - x0) / roomX, (y1 - y0) / roomY);
        // Half steps: near the eye the pan and the distance pull on each other, and full steps
        // swing between two framings.
        const CameraPose before = fitted;
        fitted.tx -= static_cast<float>(DAMPING * 0.5 * (x0 + x1) * depth / sx);
        fitted.ty -= static_cast<float>(DAMPING * 0.5 * (y0 + y1) * depth / sy);
        fitted.zoom += static_cast<float>(DAMPING * depth * (ratio - 1.0));
        // Settled to the last bit: every further round would repeat this one.
        if (fitted.tx == before.tx && fitted.ty == before.ty && fitted.zoom == before.zoom)
            break;
    }
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
