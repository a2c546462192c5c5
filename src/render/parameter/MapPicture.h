#pragma once
#include "LyapunovMap.h"
#include "Picture.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace zephyra {

using Rgb8 = std::array<std::uint8_t, 3>;

// The colour of a map pixel: escape one neutral grey; λ1 below zero (fixed points, cycles) a cool
// scale that deepens as λ1 falls; near zero (quasi-periodic) white; above zero a warm scale.
[[nodiscard]] Rgb8 MapColor(double lambda);
inline constexpr Rgb8 ESCAPE_COLOR{70, 70, 74};

// Where the attractor itself lies on a map: its values of the two swept coefficients.
struct MapMark {
    double x = 0.0, y = 0.0;
};

// The map's pixels (width x height values, row by row) in their colours, with a small cross at
// `mark` when it lies on the map.
[[nodiscard]] Picture MapPicture(const std::vector<double>& values, const MapSettings& settings,
                                 const std::optional<MapMark>& mark);

// Draws the cross marking the attractor at pixel (x, y): dark arms with a light rim, legible on
// every colour of the scales.
void DrawCross(Picture& picture, int x, int y);

} // namespace zephyra
