// Finds per second of the search on J workers: the same seed gives the same tries whatever J, so
// the runs of one case do the same work and their times compare directly.
#include "FindSearch.h"
#include "OrderedFinds.h"
#include "SearchTries.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using namespace zephyra;

void BM_Search(benchmark::State& state, char letter, int finds)
{
    const int jobs = static_cast<int>(state.range(0));
    AttractorDefaults defaults;
    for (auto _ : state) {
        OrderedFinds found;
        FindSearch search({jobs, 7, {}, defaults}, RandomTries(letter, defaults),
                          [&found](Find&& f) { found.Add(std::move(f)); });
        while (!found.First(static_cast<std::size_t>(finds), search.Frontier()))
            found.Wait(std::chrono::milliseconds(5));
    }
    state.counters["finds_per_s"] = benchmark::Counter(
        static_cast<double>(finds) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// 50 000 points each, as the Gallery and `zephyra search` compute them.
BENCHMARK_CAPTURE(BM_Search, E, 'E', 24)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, L, 'L', 24)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, Q, 'Q', 24)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
