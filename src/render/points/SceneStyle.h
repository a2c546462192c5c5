#pragma once
#include "Camera.h"
#include "DisplaySettings.h"

namespace zephyra {

class Attractor;

// The document's view flags that decide what a drawing contains.
struct ViewFlags {
    bool box = false;
    bool cross = false;
    bool blackWhite = false;
    bool defaultColors = false;
};

// Background, foreground and box colours of one drawing.
struct SceneColors {
    Rgb background{1.0f, 1.0f, 1.0f};
    Rgb foreground{0.0f, 0.0f, 0.0f};
    Rgb box{0.85f, 0.85f, 0.85f};
};

// Black and white beats default colours, which beat the attractor's own.
[[nodiscard]] SceneColors ChooseColors(const Attractor& attractor, const ViewFlags& flags,
                                       const AttractorDefaults& defaults);

// An affine map of a point (x, y, z, w): result = linear x point + offset. The axis mapping and the
// colour mapping both take this form, so the GPU applies them without touching the point data.
struct AffineMap {
    Matrix4 linear{};
    Vector4 offset{};
    [[nodiscard]] Vector4 Apply(const Vector4& p) const;
};

// Model position (X, Y, Z, 1) from coordX..coordZ; choice 4 (or anything outside 0..3) gives 0.
[[nodiscard]] AffineMap AxisMapping(const DisplaySettings& display);
// The axis mapping of a point after the camera's 4D turn (which comes first).
[[nodiscard]] AffineMap TurnedAxisMapping(const DisplaySettings& display, const CameraPose& camera);
// Point colour (r, g, b, 1): (v + 1) x 0.5 x foreground per channel, or the foreground itself for
// choice 4 ("one"); all black under black and white.
[[nodiscard]] AffineMap ColorMapping(const DisplaySettings& display, const Rgb& foreground, bool blackWhite);

// Only the first 100 points of an orbit are transients and never drawn; a drag with adaptive
// degradation draws from the first 10 000 only.
constexpr int FIRST_DRAWN_POINT = 100;
constexpr int DEGRADED_POINTS = 10000;
// The end of the drawn range: never beyond what the buffer holds.
[[nodiscard]] int DrawnPointEnd(int pointsCount, int bufferCount, bool dragging, bool adaptive);

} // namespace zephyra
