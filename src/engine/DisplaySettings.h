#pragma once
#include <array>
#include <cstdint>

namespace zephyra {

// Axis choices (coordX..coordZ) and colour-channel choices (colorR..colorB).
constexpr int COORD_X = 0, COORD_Y = 1, COORD_Z = 2, COORD_W = 3;
constexpr int COORD_ZERO = 4; // axis drawn at 0
constexpr int COLOR_ONE = 4;  // channel held at full intensity
constexpr int COORD_CHOICES = 5;

using Rgb = std::array<float, 3>;

// Start point and display choices of one attractor, and of the per-dimension defaults.
// The member initialisers are the built-in defaults.
struct DisplaySettings {
    float x0 = 0.05f, y0 = 0.05f, z0 = 0.05f, w0 = 0.05f;
    std::int32_t coordX = COORD_X, coordY = COORD_Y, coordZ = COORD_Z;
    std::int32_t colorR = 0, colorG = 1, colorB = 2;
    Rgb fgColor{1.0f, 1.0f, 1.0f};
    Rgb bgColor{1.0f, 1.0f, 1.0f};

    bool operator==(const DisplaySettings&) const = default;
};

// Application-wide settings that every new attractor reads: its point count and the display
// block copied in when its code is set or drawn. Owned by the document, passed by reference.
struct AttractorDefaults {
    std::int32_t defaultPointsCount = 50000;
    DisplaySettings defaults2D, defaults3D, defaults4D;

    bool operator==(const AttractorDefaults&) const = default;

    [[nodiscard]] const DisplaySettings& ForDimension(int dimension) const
    {
        return dimension <= 2 ? defaults2D : dimension == 3 ? defaults3D : defaults4D;
    }
};

} // namespace zephyra
