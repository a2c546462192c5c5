#pragma once
#include "DensityOptions.h"
#include "MemoryBudget.h"

namespace zephyra {

// The bytes of the finished density picture.
[[nodiscard]] std::uint64_t PictureBytes(const DensityOptions& options);

// Gives the canvases what `available` leaves beside `fixed` bytes (the picture, the encoder's
// buffers, the frames in flight), cutting `options.memoryLimit` so that the renderer draws in
// strips of fewer rows; false when that cannot hold strips of one row (`leastCanvas` bytes).
[[nodiscard]] bool FitCanvas(DensityOptions& options, std::uint64_t fixed, std::uint64_t leastCanvas,
                             std::uint64_t available);

} // namespace zephyra
