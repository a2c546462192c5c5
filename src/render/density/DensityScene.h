#pragma once
#include "Camera.h"
#include "DisplaySettings.h"
#include "Point.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zephyra {

// The attractor as the renderer sees it: a copy of the record's code, exact point count, display
// settings and camera.
struct DensityScene {
    std::string code;
    std::int32_t exactPoints = 50000; // the exact orbit: bounds, normalisation and start points
    DisplaySettings display;
    CameraPose camera;
    // What an attractor between the letters or an animation frame changes beyond the camera:
    // coefficients in place of the code's (the exact values, a morph's in-between), a normalisation in place
    // of the exact orbit's (bounds smoothed across frames), and the plane of w and axis `turnAxis` (0 x, 1 y,
    // 2 z; -1 none) whose 4D turn goes on with the yaw.
    std::optional<std::vector<double>> coefficients;
    std::optional<std::pair<Point, Point>> normalisation; // centre, scale: n = (p - centre) x scale
    int turnAxis = -1;
    bool operator==(const DensityScene&) const = default;
};

} // namespace zephyra
