// ComputePoints of 1 000 000 points without search against a bare run of Iterate over the same
// orbit (the steps and the stores, nothing else).
#include "BenchAttractors.h"
#include "Iterate.h"
#include "PointGeneration.h"

#include <benchmark/benchmark.h>

namespace zephyra::bench {
namespace {

constexpr int POINTS = 1000000;

void PerPoint(benchmark::State& state)
{
    state.counters["ns_per_point"] = benchmark::Counter(
        double(state.iterations()) * POINTS, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_ComputePoints(benchmark::State& state, char letter)
{
    const AttractorRef a = ChaoticAttractor(letter, POINTS);
    NullHost host;
    CZephyraDoc doc(host, nullptr, 1);
    for (auto _ : state) {
        const bool ok = doc.ComputePoints(a, true, false, nullptr);
        benchmark::DoNotOptimize(ok);
    }
    PerPoint(state);
    state.SetLabel(a->code.substr(0, 24));
}

void BM_BareIterate(benchmark::State& state, char letter)
{
    const AttractorRef a = ChaoticAttractor(letter, POINTS);
    const StepFunction step = SelectStep(a->kind, a->dimension, a->order);
    std::vector<Point> points(POINTS);
    for (auto _ : state) {
        Point p{a->display.x0, a->display.y0, a->display.z0, a->display.w0};
        for (int i = 0; i < POINTS; ++i) {
            step(a->coefficients.data(), POINTS, p, points[static_cast<std::size_t>(i)], i);
            p = points[static_cast<std::size_t>(i)];
        }
        benchmark::DoNotOptimize(points.data());
        benchmark::ClobberMemory();
    }
    PerPoint(state);
}

#define COMPUTE_CASE(name, letter)                                                                           \
    BENCHMARK_CAPTURE(BM_ComputePoints, name, letter)->Unit(benchmark::kMillisecond)->MinTime(0.5);          \
    BENCHMARK_CAPTURE(BM_BareIterate, name, letter)->Unit(benchmark::kMillisecond)->MinTime(0.5)
COMPUTE_CASE(E, 'E');
COMPUTE_CASE(H, 'H');
COMPUTE_CASE(L, 'L');
COMPUTE_CASE(P, 'P');
COMPUTE_CASE(Q, 'Q');
COMPUTE_CASE(X, 'X');
COMPUTE_CASE(Y, 'Y');
COMPUTE_CASE(Caret, '^');

} // namespace
} // namespace zephyra::bench

BENCHMARK_MAIN();
