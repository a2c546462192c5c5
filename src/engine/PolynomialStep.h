#pragma once
#include "AttractorCase.h"
#include "Point.h"

namespace zephyra::detail {

// Evaluates the D equations of a polynomial case for `Lanes` independent input points at once.
// Terms follow the monomial order (constant; x_p; x_p x_q with q >= p; ... nested), each term is
// coefficient x product formed in double and added to a float accumulator that is rounded after
// every addition. All accumulators advance term by term, so the chains of the D equations (and of
// the lanes) are independent and overlap in the pipeline.
template <int D, int O, bool Ode, int Lanes>
struct PolynomialStep {
    static constexpr int T = TermsPerEquation(D, O);

    const float* a; // a[1 + k*T + j]: term j of equation k
    float acc[Lanes][D];
    int term = 1;

    inline void Add(const double (&product)[Lanes])
    {
        for (int k = 0; k < D; ++k) {
            const double c = a[1 + k * T + term];
            for (int l = 0; l < Lanes; ++l)
                acc[l][k] = static_cast<float>(static_cast<double>(acc[l][k]) + c * product[l]);
        }
        ++term;
    }

    template <int Degree>
    inline void Expand(const Point* const* in, const double (&product)[Lanes], int from)
    {
        for (int v = from; v < D; ++v) {
            double next[Lanes];
            for (int l = 0; l < Lanes; ++l)
                next[l] = product[l] * static_cast<double>((*in[l])[v]);
            Add(next);
            if constexpr (Degree < O)
                Expand<Degree + 1>(in, next, v);
        }
    }

    inline void Run(const Point* const* in, Point* const* out)
    {
        for (int k = 0; k < D; ++k)
            for (int l = 0; l < Lanes; ++l)
                acc[l][k] = a[1 + k * T];
        double one[Lanes];
        for (int l = 0; l < Lanes; ++l)
            one[l] = 1.0;
        Expand<1>(in, one, 0);

        for (int l = 0; l < Lanes; ++l) {
            Point& o = *out[l];
            for (int k = 0; k < D; ++k) {
                if constexpr (Ode)
                    o[k] = static_cast<float>(static_cast<double>((*in[l])[k]) +
                                              static_cast<double>(0.1f) * static_cast<double>(acc[l][k]));
                else
                    o[k] = acc[l][k];
            }
            for (int k = D; k < 4; ++k)
                o[k] = 0.0f;
        }
    }
};

} // namespace zephyra::detail
