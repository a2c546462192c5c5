#pragma once
#include "DensityOptions.h"

#include <array>

namespace zephyra {

namespace detail {
using ColorTable = std::array<Rgb, 256>;
extern const ColorTable MAGMA, INFERNO, VIRIDIS, CIVIDIS, TURBO;
} // namespace detail

// The colour of a palette at t in 0..1 (held to that range), linear between the table's entries
// so that 16-bit pictures show no steps. Palette::Coordinates has no table: it gives gray.
[[nodiscard]] Rgb PaletteColor(Palette palette, float t);

} // namespace zephyra
