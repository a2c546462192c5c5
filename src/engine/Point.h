#pragma once
#include <array>

namespace zephyra {

// One point of an orbit: x, y, z, w in single precision (16 bytes), whatever the case's dimension.
using Point = std::array<float, 4>;
// A point in double, for the orbits that must not fall onto a cycle of the float grid.
using WidePoint = std::array<double, 4>;

} // namespace zephyra
