#pragma once
#include <cstdint>
#include <string>

namespace zephyra {

// Why a picture of `points` orbit points drawn one pixel a point does not fit in `available` bytes
// (MemoryBudget.h): the points, the picture and its PNG are held at once. Empty when it fits.
[[nodiscard]] std::string PointPictureRefusal(int width, int height, std::int64_t points,
                                              std::uint64_t available);

} // namespace zephyra
