#include "OrbitPass.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace zephyra {

namespace {
// Long enough that an orbit's start does not show, short enough that a stop request is seen
// within a few milliseconds and that the blocks spread evenly over the workers.
constexpr std::uint32_t LONGEST_BLOCK_STEPS = 16384;
constexpr auto TICK_INTERVAL = std::chrono::milliseconds(100);

std::uint64_t BlockSeed(std::uint64_t seed, std::uint64_t block)
{
    std::uint64_t z = seed * 0x9E3779B97F4A7C15ull + block + 1;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}
} // namespace

OrbitPlan PlanOrbits(std::uint64_t points, std::uint64_t seed)
{
    const std::uint64_t perLane = (points + ORBIT_LANES - 1) / ORBIT_LANES;
    OrbitPlan plan;
    plan.seed = seed;
    plan.blocks = (perLane + LONGEST_BLOCK_STEPS - 1) / LONGEST_BLOCK_STEPS;
    plan.blockSteps = plan.blocks ? static_cast<std::uint32_t>((perLane + plan.blocks - 1) / plan.blocks) : 0;
    return plan;
}

bool RunOrbitPass(const OrbitSource& source, const CanvasProjection& projection, const OrbitPlan& plan,
                  LaneKernel kernel, DensityCanvas& canvas, int workers, std::stop_token stop,
                  std::atomic<std::uint64_t>& blocksDone, const std::function<void()>& tick)
{
    std::atomic<std::uint64_t> nextBlock{0};
    std::mutex mutex;
    std::condition_variable finished;
    int running = workers;
    {
        std::vector<std::jthread> threads;
        threads.reserve(static_cast<std::size_t>(workers));
        for (int w = 0; w < workers; ++w)
            threads.emplace_back([&, w] {
                const CanvasCells cells = canvas.Worker(w);
                for (std::uint64_t b = nextBlock++; b < plan.blocks && !stop.stop_requested();
                     b = nextBlock++) {
                    OrbitLanes lanes(source, BlockSeed(plan.seed, b), plan.blockSteps);
                    kernel(lanes, source, projection, static_cast<int>(plan.blockSteps), cells);
                    ++blocksDone;
                }
                const std::lock_guard lock(mutex);
                if (--running == 0)
                    finished.notify_one();
            });
        std::unique_lock lock(mutex);
        while (running > 0) {
            finished.wait_for(lock, TICK_INTERVAL, [&] { return running == 0; });
            lock.unlock();
            tick();
            lock.lock();
        }
    }
    return !stop.stop_requested();
}

} // namespace zephyra
