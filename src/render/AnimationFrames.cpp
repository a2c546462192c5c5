#include "AnimationFrames.h"

#include "ExactOrbit.h"

#include <algorithm>
#include <cmath>

namespace zephyra {

namespace {

constexpr double TWO_PI = 6.283185307179586;

// The coefficients of morph frame `index`: a straight line between the ends, in single precision.
std::vector<float> MorphCoefficients(const std::vector<float>& from, const std::vector<float>& to, float t)
{
    std::vector<float> a(from.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        a[i] = from[i] + t * (to[i] - from[i]);
    return a;
}

float MorphFraction(int index, int frames)
{
    return frames > 1 ? static_cast<float>(index) / static_cast<float>(frames - 1) : 0.0f;
}

// A normalisation as centre and extent (1 / scale), which average sensibly.
struct Bounds {
    Point centre{};
    Point extent{};
};

// The exact orbit's bounds of every morph frame, nothing for a frame whose orbit diverges.
DensityResult MorphBounds(const AnimationSpec& spec, std::stop_token stop,
                          std::vector<std::optional<Bounds>>& bounds)
{
    bounds.assign(static_cast<std::size_t>(spec.frames), std::nullopt);
    for (int k = 0; k < spec.frames; ++k) {
        DensityScene scene = spec.scene;
        scene.coefficients =
            MorphCoefficients(spec.scene.coefficients.value(), *spec.morphTo, MorphFraction(k, spec.frames));
        OrbitSource source;
        const DensityResult r = ComputeOrbitSource(scene, spec.options.seed, stop, source);
        if (r.outcome == DensityResult::Outcome::Cancelled)
            return r;
        if (r.outcome != DensityResult::Outcome::Finished)
            continue;
        Bounds b;
        for (int i = 0; i < 4; ++i) {
            b.centre[i] = source.centre[i];
            b.extent[i] = 1.0f / source.scale[i];
        }
        bounds[static_cast<std::size_t>(k)] = b;
    }
    return {DensityResult::Outcome::Finished, {}};
}

Bounds Mix(const Bounds& a, const Bounds& b, float t)
{
    Bounds m;
    for (int i = 0; i < 4; ++i) {
        m.centre[i] = a.centre[i] + t * (b.centre[i] - a.centre[i]);
        m.extent[i] = a.extent[i] + t * (b.extent[i] - a.extent[i]);
    }
    return m;
}

// Bounds that change smoothly: diverging frames take the line between their neighbours, then a
// moving average over about a tenth of the animation takes out the jumps of chaotic orbits.
std::vector<Bounds> SmoothBounds(const std::vector<std::optional<Bounds>>& exact)
{
    const int n = static_cast<int>(exact.size());
    std::vector<Bounds> filled(exact.size());
    for (int k = 0; k < n; ++k) {
        int before = k, after = k;
        while (before >= 0 && !exact[static_cast<std::size_t>(before)])
            --before;
        while (after < n && !exact[static_cast<std::size_t>(after)])
            ++after;
        if (before < 0 && after >= n)
            return {}; // every frame diverges
        if (before < 0)
            before = after;
        if (after >= n)
            after = before;
        const float t =
            after == before ? 0.0f : static_cast<float>(k - before) / static_cast<float>(after - before);
        filled[static_cast<std::size_t>(k)] =
            Mix(*exact[static_cast<std::size_t>(before)], *exact[static_cast<std::size_t>(after)], t);
    }
    const int radius = std::max(1, n / 20);
    std::vector<Bounds> smooth(filled.size());
    for (int k = 0; k < n; ++k) {
        const int from = std::max(0, k - radius), to = std::min(n - 1, k + radius);
        Bounds sum;
        for (int j = from; j <= to; ++j)
            sum = Mix(sum, filled[static_cast<std::size_t>(j)], 1.0f / static_cast<float>(j - from + 1));
        smooth[static_cast<std::size_t>(k)] = sum;
    }
    return smooth;
}

Picture Background(const DensityOptions& o, const Rgb& color)
{
    Picture picture(o.width, o.height, o.depth);
    for (int y = 0; y < o.height; ++y)
        for (int x = 0; x < o.width; ++x)
            for (int c = 0; c < 3; ++c)
                picture.SetSample(x, y, c, color[static_cast<std::size_t>(c)]);
    return picture;
}

// The scene of turntable frame `index`.
DensityScene TurnedScene(const AnimationSpec& spec, int index)
{
    DensityScene scene = spec.scene;
    const double turn = static_cast<double>(index) / spec.frames;
    scene.camera.yaw += static_cast<float>(spec.turnDegrees * turn);
    scene.camera.pitch += static_cast<float>(spec.pitchSwingDegrees * std::sin(TWO_PI * turn));
    if (scene.turnAxis >= 0)
        scene.turnRadians = static_cast<float>(spec.turnDegrees * turn) * DEGREES_TO_RADIANS;
    return scene;
}

} // namespace

DensityResult RenderAnimation(const AnimationSpec& spec, std::stop_token stop,
                              const DensityProgress& progress, const FrameNote& note, const FrameSink& sink)
{
    if (spec.frames < 1)
        return {DensityResult::Outcome::Failed, "no frames to render"};
    std::vector<Bounds> bounds;
    if (spec.morphTo) {
        std::vector<std::optional<Bounds>> exact;
        if (DensityResult r = MorphBounds(spec, stop, exact); r.outcome != DensityResult::Outcome::Finished)
            return r;
        bounds = SmoothBounds(exact);
    }
    const Rgb background = spec.options.background.value_or(spec.scene.display.bgColor);
    for (int k = 0; k < spec.frames; ++k) {
        DensityScene scene = TurnedScene(spec, k);
        if (spec.morphTo) {
            scene.coefficients = MorphCoefficients(spec.scene.coefficients.value(), *spec.morphTo,
                                                   MorphFraction(k, spec.frames));
            if (!bounds.empty()) {
                const Bounds& b = bounds[static_cast<std::size_t>(k)];
                Point scale;
                for (int i = 0; i < 4; ++i)
                    scale[i] = 1.0f / b.extent[i];
                scene.normalisation = std::pair{b.centre, scale};
            }
        }
        const auto frameProgress = [&](double fraction) {
            if (progress)
                progress((k + fraction) / spec.frames);
        };
        DensityResult result;
        std::optional<Picture> frame = RenderDensityPicture(scene, spec.options, stop, frameProgress, result);
        if (result.outcome == DensityResult::Outcome::Cancelled)
            return result;
        if (!frame) {
            if (!spec.morphTo)
                return result;
            note("frame " + std::to_string(k + 1) + ": the orbit diverges; drawn as background");
            frame = Background(spec.options, background);
        }
        if (!sink(*frame, k))
            return {DensityResult::Outcome::Failed, {}};
        if (stop.stop_requested())
            return {DensityResult::Outcome::Cancelled, {}};
    }
    return {DensityResult::Outcome::Finished, {}};
}

} // namespace zephyra
