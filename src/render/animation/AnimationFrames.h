#pragma once
#include "DensityRenderer.h"

#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace zephyra {

class Attractor;

// Animations of density pictures: a turntable (the yaw, and for 4D cases optionally the plane of
// w and another axis, turning by `turnDegrees` over the frames, the pitch swinging), or a morph
// from the scene's coefficients to `morphTo`'s, each frame computed with the exact engine.
struct AnimationPlan {
    DensityScene scene; // the first frame; a 4D turn when scene.turnAxis is 0..2
    DensityOptions options;
    int frames = 120;
    float turnDegrees = 360.0f;                 // over the whole animation: frame N+1 would be frame 1 again
    float pitchSwingDegrees = 0.0f;             // the pitch swings this far up and down once
    std::optional<std::vector<double>> morphTo; // the last frame's coefficients, of the same case
};

// Makes the plan a morph from `from`'s coefficients to `to`'s; false, leaving the plan as it was,
// when `to` is no valid code of the case of `from`.
[[nodiscard]] bool SetMorph(AnimationPlan& plan, const Attractor& from, const Attractor& to);

// Frame `index` (from 0), finished; false stops the animation (it could not be kept).
using FrameSink = std::function<bool(const Picture& frame, int index)>;
// A line about one frame (a diverging morph frame drawn as background).
using FrameNote = std::function<void(const std::string& note)>;

// How the frames share the cores: `workers` frames are rendered side by side, each on `threadsEach`
// threads with its share of the canvas memory, and at most `held` finished or unfinished pictures
// are in memory at once.
struct FrameParallelism {
    int workers = 1;
    int threadsEach = 1;
    int held = 2;
};
[[nodiscard]] FrameParallelism PlanFrameParallelism(int threads, int frames);

// Renders the frames one after another, each on every core, handing each to `sink` as it is done,
// so memory does not grow with the number of frames. Progress covers the whole animation.
[[nodiscard]] DensityResult RenderAnimation(const AnimationPlan& plan, std::stop_token stop,
                                            const DensityProgress& progress, const FrameNote& note,
                                            const FrameSink& sink);

} // namespace zephyra
