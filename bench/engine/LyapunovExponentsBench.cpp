// The Lyapunov spectrum over 1 000 000 measured steps (and the 1000-step transient), and the
// correlation-integral fit over the 4000 points it keeps.
#include "BenchAttractors.h"
#include "CorrelationFit.h"
#include "LyapunovExponents.h"

#include <benchmark/benchmark.h>

#include <thread>

#include <sys/resource.h>
#include <unistd.h>

namespace zephyra::bench {
namespace {

constexpr int STEPS = 1000000;

OrbitSystem Measurable(char letter)
{
    return OrbitSystem::Of(*ChaoticAttractor(letter, STEPS));
}

void BM_Spectrum(benchmark::State& state, OrbitSystem system)
{
    SpectrumSettings settings;
    settings.steps = STEPS;
    for (auto _ : state) {
        const SpectrumResult r = MeasureSpectrum(system, settings);
        if (r.status != SpectrumStatus::Measured) {
            state.SkipWithError("the orbit is not measurable");
            return;
        }
        benchmark::DoNotOptimize(r.exponents.data());
    }
    state.counters["ns_per_step"] = benchmark::Counter(
        double(state.iterations()) * STEPS, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_CorrelationFit(benchmark::State& state, OrbitSystem system)
{
    SpectrumSettings settings;
    settings.steps = STEPS;
    const SpectrumResult r = MeasureSpectrum(system, settings);
    for (auto _ : state) {
        const CorrelationFit fit = FitCorrelationDimension(r.sample, r.sampleCoordinates, 1);
        benchmark::DoNotOptimize(fit.slope);
    }
}

// A run of 1 000 000 points of case E (what a point-count command does on the user-interface
// thread), alone and while a measurement loops on a thread at the Measurements panel's priority.
void BM_RunBesideMeasurement(benchmark::State& state, bool measuring)
{
    const AttractorRef a = ChaoticAttractor('E', STEPS);
    NullHost host;
    CZephyraDoc doc(host, nullptr, 1);
    std::jthread worker;
    if (measuring)
        worker = std::jthread([system = OrbitSystem::Of(*a)](std::stop_token stop) {
            setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
            while (!stop.stop_requested())
                (void)MeasureSpectrum(system, {}, [&stop](double) { return !stop.stop_requested(); });
        });
    for (auto _ : state) {
        const bool ok = doc.ComputePoints(a, true, false, nullptr);
        benchmark::DoNotOptimize(ok);
    }
}

#define SPECTRUM_CASE(name, system)                                                                          \
    BENCHMARK_CAPTURE(BM_Spectrum, name, system)->Unit(benchmark::kMillisecond)->MinTime(0.5)
SPECTRUM_CASE(Henon, OrbitSystem::Of(*Attractor::CreateFromCode("EWM?MPMMWMMMM", {})));
SPECTRUM_CASE(E, Measurable('E'));
SPECTRUM_CASE(I, Measurable('I'));
SPECTRUM_CASE(M, Measurable('M'));
SPECTRUM_CASE(P, Measurable('P'));
SPECTRUM_CASE(Q, Measurable('Q'));
SPECTRUM_CASE(U, Measurable('U'));
SPECTRUM_CASE(Y, Measurable('Y'));
BENCHMARK_CAPTURE(BM_RunBesideMeasurement, alone, false)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_RunBesideMeasurement, measuring, true)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_CorrelationFit, Henon, OrbitSystem::Of(*Attractor::CreateFromCode("EWM?MPMMWMMMM", {})))
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zephyra::bench

BENCHMARK_MAIN();
