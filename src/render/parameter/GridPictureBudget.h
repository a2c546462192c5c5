#pragma once
#include <cstdint>
#include <string>

namespace zephyra {

// Why a picture of width x height cells computed whole before it is coloured (a Lyapunov map, an
// orbit diagram) does not fit in `available` bytes (MemoryBudget.h): `cellBytes` a cell for its
// values, beside the picture and its PNG. Empty when it fits.
[[nodiscard]] std::string GridPictureRefusal(const std::string& what, int width, int height,
                                             std::uint64_t cellBytes, std::uint64_t available);

} // namespace zephyra
