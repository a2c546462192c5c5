// The Lyapunov map and the orbit diagram of Henon's map at the sizes a user asks for, on every core.
#include "Attractor.h"
#include "MapPasses.h"
#include "OrbitDiagram.h"

#include <benchmark/benchmark.h>

namespace zephyra {
namespace {

ParameterSystem Henon()
{
    return ParameterSystem::Of(*Attractor::CreateFromCode("EWM?MPMMWMMMM", AttractorDefaults{}));
}

// 512 x 512 over a (coefficient 3) and b (coefficient 5), T = 500, N = 2000.
void BM_HenonMap(benchmark::State& state)
{
    const ParameterSystem system = Henon();
    const MapSettings m{{3, -1.9, -0.9}, {5, -0.2, 0.8}, 512, 512, 500, 2000};
    std::vector<double> values;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ComputeMapRows(system, m, 0, m.height, values, {}, {}, static_cast<int>(state.range(0))));
    state.counters["pixels_per_s"] =
        benchmark::Counter(512.0 * 512.0, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_HenonMap)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same map as the window fills it: until the first (1/8) pass, and every pass to the whole.
void BM_HenonMapPasses(benchmark::State& state)
{
    const ParameterSystem system = Henon();
    const MapSettings m{{3, -1.9, -0.9}, {5, -0.2, 0.8}, 512, 512, 500, 2000};
    const bool firstOnly = state.range(1) == 1;
    for (auto _ : state) {
        std::stop_source stop;
        benchmark::DoNotOptimize(ComputeMapPasses(
            system, m, stop.get_token(),
            [&](MapPass) {
                if (firstOnly)
                    stop.request_stop();
            },
            static_cast<int>(state.range(0))));
    }
}
BENCHMARK(BM_HenonMapPasses)
    ->ArgNames({"threads", "first_only"})
    ->Args({1, 1})
    ->Args({2, 1})
    ->Args({1, 0})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// 1920 x 1080 over a from -1.45 to 0, 20000 points a column.
void BM_HenonDiagram(benchmark::State& state)
{
    const ParameterSystem system = Henon();
    DiagramSettings d;
    d.x = {3, -1.45, 0.0};
    std::vector<std::uint32_t> counts;
    for (auto _ : state) {
        FitDiagramRange(system, d);
        benchmark::DoNotOptimize(
            ComputeDiagramColumns(system, d, 0, d.width, counts, {}, {}, static_cast<int>(state.range(0))));
    }
}
BENCHMARK(BM_HenonDiagram)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace zephyra

BENCHMARK_MAIN();
