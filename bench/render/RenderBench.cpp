// The density renderer at 1920 x 1080 (supersample 2, coordinate colours, log tone map, PNG
// encoding left out) against the straightforward loop: one orbit on one thread, Iterate, the view's
// projection and a count array.
#include "BenchAttractors.h"
#include "Camera.h"
#include "DensityRenderer.h"
#include "Iterate.h"
#include "PointGeneration.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <vector>

namespace zephyra::bench {
namespace {

constexpr int WIDTH = 1920;
constexpr int HEIGHT = 1080;

// Enough points that the fixed costs (exact orbit, canvas, resolve) weigh little, few enough that
// the slow cases finish in seconds.
std::uint64_t PointsFor(char letter)
{
    return letter == 'P' ? 20'000'000 : letter == 'L' ? 40'000'000 : 100'000'000;
}

void PointsPerSecond(benchmark::State& state, std::uint64_t points)
{
    state.counters["points_per_s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * static_cast<double>(points), benchmark::Counter::kIsRate);
}

void BM_Density(benchmark::State& state, char letter)
{
    const AttractorRef a = ChaoticAttractor(letter, 50000);
    DensityScene scene{a->code, 50000, a->display, CameraPose::Of(*a)};
    DensityOptions options;
    options.points = PointsFor(letter);
    options.threads = static_cast<int>(state.range(0));
    // Process CPU time over all threads: on a shared machine the wall time says more about the
    // neighbours than about the renderer.
    double cpuSeconds = 0.0;
    for (auto _ : state) {
        const std::clock_t start = std::clock();
        DensityResult result;
        const std::optional<Picture> picture = RenderDensityPicture(scene, options, {}, {}, result);
        benchmark::DoNotOptimize(picture);
        cpuSeconds += static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
        if (!picture)
            state.SkipWithError(result.error.c_str());
    }
    PointsPerSecond(state, options.points);
    state.counters["points_per_cpu_s"] =
        static_cast<double>(state.iterations()) * static_cast<double>(options.points) / cpuSeconds;
    state.SetLabel(a->code.substr(0, 24));
}

void BM_Baseline(benchmark::State& state, char letter)
{
    const AttractorRef a = ChaoticAttractor(letter, 50000);
    NullHost host;
    CZephyraDoc doc(host, nullptr, 1);
    if (!doc.ComputePoints(a, true, false, nullptr))
        state.SkipWithError("no orbit");
    const PointBuffer& exact = doc.buffer();
    const Matrix4 m = SceneMatrix(*a, static_cast<float>(WIDTH) / HEIGHT);
    const std::uint64_t points = PointsFor(letter) / 10;
    std::vector<std::uint32_t> counts(static_cast<std::size_t>(WIDTH) * HEIGHT);
    for (auto _ : state) {
        Point p = exact.points[exact.count - 1];
        for (int k = 0; k < 4; ++k)
            p[k] = p[k] / exact.scale[k] + exact.centre[k];
        for (std::uint64_t i = 0; i < points; ++i) {
            Point next;
            Iterate(*a, p, next, static_cast<int>(i % 50000));
            p = next;
            Vector4 n;
            for (int k = 0; k < 4; ++k)
                n[k] = (p[k] - exact.centre[k]) * exact.scale[k];
            const Vector4 v = Transform(m, {n[0], n[1], n[2], 1});
            const float x = v[0] / v[3] * (WIDTH / 2) + WIDTH / 2,
                        y = HEIGHT / 2 - v[1] / v[3] * (HEIGHT / 2);
            if (x >= 0 && x < WIDTH && y >= 0 && y < HEIGHT)
                ++counts[static_cast<std::size_t>(y) * WIDTH + static_cast<std::size_t>(x)];
        }
        benchmark::DoNotOptimize(counts.data());
    }
    PointsPerSecond(state, points);
    state.SetLabel(a->code.substr(0, 24));
}

} // namespace

BENCHMARK_CAPTURE(BM_Baseline, E, 'E')->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Density, E, 'E')->Arg(2)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Baseline, L, 'L')->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Density, L, 'L')->Arg(2)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Baseline, P, 'P')->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Density, P, 'P')->Arg(2)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Baseline, Y, 'Y')->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Density, Y, 'Y')->Arg(2)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Baseline, Caret, '^')->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Density, Caret, '^')->Arg(2)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace zephyra::bench
BENCHMARK_MAIN();
