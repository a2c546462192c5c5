// Random searches as "Next" runs them: accepted attractors per second and tries per accepted one,
// 50 000 points each, fixed seeds.
#include "BenchAttractors.h"

#include <benchmark/benchmark.h>

namespace zephyra::bench {
namespace {

void BM_Search(benchmark::State& state, char letter)
{
    NullHost host;
    CZephyraDoc doc(host, nullptr, 7);
    double tries = 0;
    for (auto _ : state) {
        doc.SetAttractor(doc.NewRandomAttractor(letter), SA_RANDOMIZE | SA_ADD_HISTORY, letter);
        tries += doc.lastTries();
        // History would grow without end; the benchmark keeps only the latest entry.
        doc.ClearHistory();
    }
    state.counters["accepted_per_s"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["tries_per_accepted"] = tries / double(state.iterations());
}

#define SEARCH_CASE(letter)                                                                                  \
    BENCHMARK_CAPTURE(BM_Search, letter, #letter[0])->Unit(benchmark::kMillisecond)->MinTime(2)
SEARCH_CASE(E);
SEARCH_CASE(H);
SEARCH_CASE(I);
SEARCH_CASE(M);
SEARCH_CASE(Q);
SEARCH_CASE(U);

} // namespace
} // namespace zephyra::bench

BENCHMARK_MAIN();
