#pragma once
#include "DensityOptions.h"

#include <cstdint>
#include <string>

namespace zephyra {

// What a picture or an animation needs, checked before any work against `available`, the bytes
// the machine or the memory cgroup of the process can still give (SystemAvailableMemory; 0 when
// unknown, then nothing is refused): past it the process would be killed without a word or the
// machine would swap. Each returns one line naming the need and what can be had when the work
// cannot fit, else an empty text.
//
// The density ones also cut `options.memoryLimit`, the canvas memory, to what `available` leaves
// beside the rest (the picture, the encoder's buffers, the frames in flight), so that the renderer
// draws in strips of fewer rows; they refuse when even strips of one row cannot fit.

// "not enough memory for WHAT: it needs at least N MiB, M MiB can be had": the refusal of every fit.
[[nodiscard]] std::string MemoryRefusal(const std::string& what, std::uint64_t need, std::uint64_t available);

// A density picture resolved strip by strip into a PNG encoder.
[[nodiscard]] std::string FitDensityPicture(DensityOptions& options, std::uint64_t available);

// An animation of `frames` density frames, rendered side by side as the frame pipeline does, into
// one animated WebP (`webp`) or PNG pictures.
[[nodiscard]] std::string FitAnimation(DensityOptions& options, int frames, bool webp,
                                       std::uint64_t available);

// A picture of `points` orbit points drawn one pixel a point: the points, the picture and its PNG
// are held at once.
[[nodiscard]] std::string PointPictureRefusal(int width, int height, std::int64_t points,
                                              std::uint64_t available);

} // namespace zephyra
