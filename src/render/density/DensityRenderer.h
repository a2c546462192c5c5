#pragma once
#include "Camera.h"
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

enum class ToneMap { Log, EqualizedHistogram, Gamma, Linear };
// Coordinates colours a pixel as the view colours its points; the others map the density.
enum class Palette { Coordinates, Gray, Magma, Inferno, Viridis, Cividis, Turbo };

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

// More threads than this only wait for a core; a picture's settings may ask for any number.
inline constexpr int MOST_THREADS = 256;
// About 40 minutes at the fastest rate; past 2^64 a count would wrap around to almost nothing.
inline constexpr std::uint64_t LARGEST_DENSITY_POINTS = 1'000'000'000'000;

struct DensityOptions {
    int width = 1920;
    int height = 1080;
    int supersample = 2; // the canvas is S times larger each way; S x S blocks average
    std::uint64_t points = 100'000'000;
    ToneMap tone = ToneMap::Log;
    float gamma = 2.2f; // the power of ToneMap::Gamma: brightness = density^(1/gamma)
    Palette palette = Palette::Coordinates;
    std::optional<Rgb> background; // else the display's bgColor
    int depth = 8;                 // 8 or 16 bits a channel
    int threads = 0;               // 0: every core; above MOST_THREADS, that many
    // Turn the camera's distance and pan so that the attractor fills about 90 % of the shorter
    // side, centred (the scene's own camera is not changed).
    bool fit = false;
    std::uint64_t seed = 1;
    std::size_t memoryLimit = std::size_t{2} << 30; // canvas bytes; above it, horizontal strips
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
