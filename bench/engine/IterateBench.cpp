// Iterate: nanoseconds per step along a chaotic orbit, and the bound it is measured against.
#include "BenchAttractors.h"
#include "Iterate.h"

#include <benchmark/benchmark.h>

namespace zephyra::bench {
namespace {

void BM_Iterate(benchmark::State& state, char letter)
{
    const AttractorRef a = ChaoticAttractor(letter, 50000);
    const StepFunction step = SelectStep(a->kind, a->dimension, a->order);
    Point p{a->display.x0, a->display.y0, a->display.z0, a->display.w0};
    int i = 0;
    for (auto _ : state) {
        Point next;
        step(a->coefficients.data(), a->pointsCount, p, next, i);
        p = next;
        i = i == 49999 ? 0 : i + 1;
        benchmark::DoNotOptimize(p);
    }
    state.counters["ns_per_step"] = benchmark::Counter(
        double(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetLabel(a->code.substr(0, 24));
}

// The floor of a polynomial step: one equation's terms as one dependent chain of float-rounded
// additions (float to double, add the product, round to float), T - 1 of them per step, T the
// terms of an equation. Products do not depend on the chain, so they are not part of it.
void BM_RoundedAdditionChain(benchmark::State& state)
{
    const int additions = static_cast<int>(state.range(0));
    float acc = 0.5f;
    double product = 1e-9;
    for (auto _ : state) {
        benchmark::DoNotOptimize(product);
        for (int k = 0; k < additions; ++k)
            acc = static_cast<float>(static_cast<double>(acc) + product);
        benchmark::DoNotOptimize(acc);
    }
    state.counters["ns_per_step"] = benchmark::Counter(
        double(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

#define ITERATE_CASE(name, letter) BENCHMARK_CAPTURE(BM_Iterate, name, letter)
ITERATE_CASE(E, 'E');
ITERATE_CASE(H, 'H');
ITERATE_CASE(I, 'I');
ITERATE_CASE(L, 'L');
ITERATE_CASE(M, 'M');
ITERATE_CASE(P, 'P');
ITERATE_CASE(Q, 'Q');
ITERATE_CASE(X, 'X');
ITERATE_CASE(Y, 'Y');
ITERATE_CASE(Z, 'Z');
ITERATE_CASE(OpenBracket, '[');
ITERATE_CASE(Backslash, '\\');
ITERATE_CASE(CloseBracket, ']');
ITERATE_CASE(Caret, '^');
// T - 1 for E (T 6), H (21), I (10), L (56), M (15), P (126): the chain of the equation; Q and X
// share the chains of I and P plus the Euler step.
BENCHMARK(BM_RoundedAdditionChain)->Arg(5)->Arg(20)->Arg(9)->Arg(55)->Arg(14)->Arg(125);

} // namespace
} // namespace zephyra::bench

BENCHMARK_MAIN();
