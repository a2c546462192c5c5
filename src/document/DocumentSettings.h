#pragma once
#include "DisplaySettings.h"

#include <cstdint>

namespace zephyra {

// The settings kept in the configuration file. The document holds one; the Settings dialog and
// the configuration reader fill a copy and hand it to the document.
struct DocumentSettings {
    std::int32_t historyLimit = -1;
    char caseLetter = 'H';
    bool viewBox = false;
    bool viewCross = false;
    bool viewBlackWhite = false;
    bool viewDefaultColors = false;
    bool viewAdaptive = true;
    bool viewDensity = false; // the density picture instead of the point cloud
    bool viewShade = false;   // the density picture's depth shade
    std::int32_t antialias = 0;
    // Where the point view draws: 0 on the CPU when OpenGL renders in software, 1 always on the
    // CPU, 2 always with OpenGL.
    std::int32_t pointsOnCpu = 0;
    // defaultPointsCount and the 2D, 3D and 4D display defaults.
    AttractorDefaults defaults;

    bool operator==(const DocumentSettings&) const = default;
};

// What the Settings dialog edits of the current attractor.
struct AttractorSettings {
    std::int32_t pointsCount = 0;
    float fov = 0.0f;
    DisplaySettings display;
};

} // namespace zephyra
