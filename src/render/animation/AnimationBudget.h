#pragma once
#include "DensityOptions.h"

#include <cstdint>
#include <string>

namespace zephyra {

// Whether an animation of `frames` density frames, rendered side by side as the frame pipeline
// does, into one animated WebP (`webp`) or PNG pictures fits in `available` bytes
// (MemoryBudget.h); cuts the canvas memory to what is left beside the frames in flight.
[[nodiscard]] std::string FitAnimation(DensityOptions& options, int frames, bool webp,
                                       std::uint64_t available);

} // namespace zephyra
