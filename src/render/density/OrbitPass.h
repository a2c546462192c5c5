#pragma once
#include "DensityCanvas.h"
#include "FreeRunKernel.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <stop_token>

namespace zephyra {

// How the points of a picture are split among free-running orbits: `blocks` blocks of
// ORBIT_LANES orbits, each orbit `blockSteps` steps long. Every pass and every strip runs the same
// blocks from the same seeds, whatever the number of workers.
struct OrbitPlan {
    std::uint64_t blocks = 0;
    std::uint32_t blockSteps = 0;
    std::uint64_t seed = 0;
};
[[nodiscard]] OrbitPlan PlanOrbits(std::uint64_t points, std::uint64_t seed);

// Runs every block of the plan into the canvas, worker w drawing into canvas w, on `workers`
// threads. While they run, the calling thread calls `tick` a few times a second; `blocksDone` counts
// finished blocks. False when a stop request ended the pass early.
[[nodiscard]] bool RunOrbitPass(const OrbitSource& source, const CanvasProjection& projection,
                                const OrbitPlan& plan, LaneKernel kernel, DensityCanvas& canvas, int workers,
                                std::stop_token stop, std::atomic<std::uint64_t>& blocksDone,
                                const std::function<void()>& tick);

} // namespace zephyra
