#pragma once
#include "AttractorCase.h"
#include "Point.h"

namespace zephyra::detail {

// Evaluates the D equations of a polynomial case for one input point. Terms follow the monomial
// order (constant; x_p; x_p x_q with q >= p; ... nested), each term is coefficient x product formed
// in double and added to a float accumulator that is rounded after every addition. All
// accumulators advance term by term, so the chains of the D equations are independent and overlap
// in the pipeline.
template <int D, int O, bool Ode> struct PolynomialStep {
    static constexpr int T = TermsPerEquation(D, O);

    const float* a; // a[1 + k*T + j]: term j of equation k
    float acc[D];
    int term = 1;

    inline void Add(double product)
    {
        for (int k = 0; k < D; ++k) {
            const double c = a[1 + k * T + term];
            acc[k] = static_cast<float>(static_cast<double>(acc[k]) + c * product);
        }
        ++term;
    }

    template <int Degree> inline void Expand(const Point& in, double product, int from)
    {
        for (int v = from; v < D; ++v) {
            const double next = product * static_cast<double>(in[v]);
            Add(next);
            if constexpr (Degree < O)
                Expand<Degree + 1>(in, next, v);
        }
    }

    inline void Run(const Point& in, Point& out)
    {
        for (int k = 0; k < D; ++k)
            acc[k] = a[1 + k * T];
        Expand<1>(in, 1.0, 0);
        for (int k = 0; k < D; ++k) {
            if constexpr (Ode)
                out[k] = static_cast<float>(static_cast<double>(in[k]) +
                                            static_cast<double>(0.1f) * static_cast<double>(acc[k]));
            else
                out[k] = acc[k];
        }
        for (int k = D; k < 4; ++k)
            out[k] = 0.0f;
    }
};

} // namespace zephyra::detail
