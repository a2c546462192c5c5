#pragma once
#include "Camera.h"
#include "DensityOptions.h"
#include "DisplaySettings.h"
#include "Picture.h"
#include "Point.h"

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

// The attractor as the renderer sees it: a copy of the record's code, exact point count, display
// settings and camera.
struct DensityScene {
    std::string code;
    std::int32_t exactPoints = 50000; // the exact orbit: bounds, normalisation and start points
    DisplaySettings display;
    CameraPose camera;
    // What an animation frame changes beyond the camera: coefficients in place of the code's (a
    // morph's in-between), a normalisation in place of the exact orbit's (bounds smoothed across
    // frames), and the plane of w and axis `turnAxis` (0 x, 1 y, 2 z; -1 none) whose 4D turn
    // goes on with the yaw.
    std::optional<std::vector<double>> coefficients;
    std::optional<std::pair<Point, Point>> normalisation; // centre, scale: n = (p - centre) x scale
    int turnAxis = -1;
    bool operator==(const DensityScene&) const = default;
};

// The workers `threads` asks for: every core for 0, never more than MOST_THREADS.
[[nodiscard]] int WorkerCount(int threads);

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
