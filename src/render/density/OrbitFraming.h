#pragma once
#include "Camera.h"
#include "DensityScene.h"
#include "OrbitSource.h"

#include <cstddef>
#include <vector>

namespace zephyra {

// Frames an attractor: gathers its orbit as the camera's turn alone sees it (in one picture, or
// in every frame of an animation) and chooses the camera's distance and pan so that the projected
// orbit fills the picture, centred, with a margin of 5 % of its shorter side on every side,
// whichever side that is. The turn and the field of view stay as they are.
class OrbitFraming {
public:
    // The points of the scene's exact orbit, at most `limit` of them (evenly spread).
    void Add(const DensityScene& scene, const OrbitSource& source, std::size_t limit = SIZE_MAX);
    // `pose` with the zoom, tx and ty that frame every point added; `pose` itself when there is
    // nothing to frame.
    [[nodiscard]] CameraPose Fit(const CameraPose& pose, float aspect) const;

private:
    struct Frame {
        DensityScene scene;
        OrbitSource source; // its starts are the points to frame
    };
    std::vector<Frame> frames_;
};

// The scene with its camera framed for pictures of this aspect, from the orbit its renderer uses.
[[nodiscard]] DensityScene FramedScene(const DensityScene& scene, const OrbitSource& source, float aspect);

} // namespace zephyra
