#pragma once
#include "DensityOptions.h"
#include "DensityScene.h"
#include "Picture.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <utility>
#include <vector>

namespace zephyra {

// Density pictures: many free-running orbits of one attractor, on every core and in vector lanes,
// accumulated per pixel of a supersampled canvas and resolved through a tone map. The command
// line, Export Picture, the Density view, gallery thumbnails and animations all use this one
// entry point. It takes copies of what it needs and never touches the document, so it runs on
// any thread; the same inputs, seed and thread count give the same bytes.

// The workers `threads` asks for: every core for 0, never more than MOST_THREADS.
[[nodiscard]] int WorkerCount(int threads);

// The bytes one picture row of a strip takes with `workers` canvases (colour sums with `colors`),
// and the share of `options.memoryLimit` the strips may take: the picture is cut into strips of
// as many rows as fit, at least one.
[[nodiscard]] std::size_t StripRowBytes(const DensityOptions& options, int workers, bool colors);
[[nodiscard]] std::size_t StripMemory(std::size_t memoryLimit);

// Rows [top, top + strip.Height()) of the finished picture, handed over top-down as each strip
// is resolved; a picture that needs no strips comes in one piece.
using StripSink = std::function<void(const Picture& strip, int top)>;
// Share of the work done, 0..1, called on the calling thread a few times a second.
using DensityProgress = std::function<void(double fraction)>;

struct DensityResult {
    enum class Outcome { Finished, Cancelled, Failed };
    Outcome outcome = Outcome::Failed;
    std::string error; // why it failed, in one line
};

// Renders the scene, handing the picture to `sink` strip by strip. Blocks the calling thread
// while worker threads (std::jthread) run; a stop request ends it within a fraction of a second
// and then nothing more reaches the sink.
[[nodiscard]] DensityResult RenderDensity(const DensityScene& scene, const DensityOptions& options,
                                          std::stop_token stop, const DensityProgress& progress,
                                          const StripSink& sink);

// The whole picture in memory (what a window or an animation frame wants); nothing when cancelled
// or failed, with the reason in `result`.
[[nodiscard]] std::optional<Picture> RenderDensityPicture(const DensityScene& scene,
                                                          const DensityOptions& options, std::stop_token stop,
                                                          const DensityProgress& progress,
                                                          DensityResult& result);

} // namespace zephyra
