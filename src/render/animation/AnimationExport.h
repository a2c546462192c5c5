#pragma once
#include "AnimationFrames.h"
#include "PngFile.h"
#include "PointMemory.h"

#include <cstdint>
#include <filesystem>
#include <stop_token>
#include <string>
#include <vector>

namespace zephyra {

// Where an animation goes: one animated WebP that loops for ever (a path ending in ".webp"), or
// PNG pictures frame-0001.png... in a folder, an existing one or a new one in an existing folder.
struct AnimationTarget {
    std::filesystem::path path;
    double fps = 30.0;
    float quality = 90.0f;       // of the lossy WebP encoding, 0..100
    std::vector<PngText> record; // what the WebP file and each PNG frame carry: record and settings
};

[[nodiscard]] bool IsWebpPath(const std::filesystem::path& path);

// Why the frames cannot go to `path`, in one line naming it; empty when they can.
[[nodiscard]] std::string AnimationTargetProblem(const std::filesystem::path& path);

// Renders the plan's frames and writes them to the target. Nothing reaches the target before every
// frame is done: a stop or a failure leaves it as it was, with no partial file or frame folder.
// Failed carries the reason, naming the file. Progress reaches 1 before the files are written, a
// last chance to stop. Before any work the frames are fitted to the `available` bytes
// (FitAnimation): drawn in narrower strips, or refused with the reason when even those cannot fit.
// The compressed frames of a WebP grow with each frame: after each one `probe` must still report
// room for the rest of them at the rate so far, else the export fails then, not when killed.
[[nodiscard]] DensityResult ExportAnimation(const AnimationPlan& plan, const AnimationTarget& target,
                                            std::uint64_t available, std::stop_token stop,
                                            const DensityProgress& progress, const FrameNote& note,
                                            AvailableMemoryProbe probe = SystemAvailableMemory);

} // namespace zephyra
