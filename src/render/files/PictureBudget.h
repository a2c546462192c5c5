#pragma once
#include "DensityOptions.h"

#include <cstdint>
#include <string>

namespace zephyra {

// Whether a density picture resolved strip by strip into a PNG encoder fits in `available` bytes
// (MemoryBudget.h); cuts the canvas memory to what is left beside the picture and the encoder.
[[nodiscard]] std::string FitDensityPicture(DensityOptions& options, std::uint64_t available);

} // namespace zephyra
