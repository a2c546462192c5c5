#pragma once
#include "AttractorCase.h"
#include "Point.h"

#include <emmintrin.h>

namespace zephyra::detail {

// The main and the shadow orbit of a polynomial case stepped together, the two points in the two
// lanes of SSE2 registers. Each lane performs exactly the operations of PolynomialStep (product in
// double, coefficient x product added in double, the sum rounded to float after every addition,
// terms in monomial order), so both outputs equal two single steps bit for bit; the lanes only
// halve the instructions, which the interleaved chains of the larger cases are bound by.
// `a` holds the coefficients widened to double (a[0] unused).
template <int D, int O, bool Ode> struct PolynomialPairStep {
    static constexpr int T = TermsPerEquation(D, O);

    const double* a;
    __m128d acc[D]; // equation k for (main, shadow), each lane a float value held in double
    int term = 1;

    inline void Add(__m128d product)
    {
        for (int k = 0; k < D; ++k) {
            const __m128d c = _mm_load1_pd(a + 1 + k * T + term);
            const __m128d sum = _mm_add_pd(acc[k], _mm_mul_pd(c, product));
            acc[k] = _mm_cvtps_pd(_mm_cvtpd_ps(sum)); // the rounding to float
        }
        ++term;
    }

    template <int Degree> inline void Expand(const __m128d (&x)[D], __m128d product, int from)
    {
        for (int v = from; v < D; ++v) {
            const __m128d next = _mm_mul_pd(product, x[v]);
            Add(next);
            if constexpr (Degree < O)
                Expand<Degree + 1>(x, next, v);
        }
    }

    inline void Run(const Point& in1, Point& out1, const Point& in2, Point& out2)
    {
        __m128d x[D];
        for (int v = 0; v < D; ++v)
            x[v] = _mm_set_pd(in2[v], in1[v]);
        for (int k = 0; k < D; ++k)
            acc[k] = _mm_load1_pd(a + 1 + k * T);
        Expand<1>(x, _mm_set1_pd(1.0), 0);

        for (int k = 0; k < D; ++k) {
            __m128d value = acc[k];
            if constexpr (Ode)
                value = _mm_add_pd(x[k], _mm_mul_pd(_mm_set1_pd(static_cast<double>(0.1f)), acc[k]));
            const __m128 rounded = _mm_cvtpd_ps(value);
            out1[k] = _mm_cvtss_f32(rounded);
            out2[k] = _mm_cvtss_f32(_mm_shuffle_ps(rounded, rounded, 1));
        }
        for (int k = D; k < 4; ++k)
            out1[k] = out2[k] = 0.0f;
    }
};

} // namespace zephyra::detail
