#pragma once
#include <limits>

namespace zephyra {

// A closed interval of a measurement; the default admits every number.
struct Range {
    float low = -std::numeric_limits<float>::infinity();
    float high = std::numeric_limits<float>::infinity();

    [[nodiscard]] bool Contains(float v) const { return v >= low && v <= high; }
};

// What a find must have measured, on top of the chaos tests, to be kept: the Lyapunov exponent
// at least `minLyapunov`, the correlation dimension and the fill within their ranges; and, from its
// Lyapunov spectrum (measured only when asked for), two or more positive exponents and a
// Kaplan-Yorke dimension of at least `minKaplanYorke`.
struct SearchFilter {
    float minLyapunov = -std::numeric_limits<float>::infinity();
    Range dimension;
    Range fill;
    bool hyperchaotic = false;
    float minKaplanYorke = -std::numeric_limits<float>::infinity();

    [[nodiscard]] bool NeedsSpectrum() const
    {
        return hyperchaotic || minKaplanYorke > -std::numeric_limits<float>::infinity();
    }
    [[nodiscard]] bool AcceptsSpectrum(int positiveExponents, double kaplanYorke) const
    {
        return (!hyperchaotic || positiveExponents >= 2) && kaplanYorke >= minKaplanYorke;
    }

    [[nodiscard]] bool Accepts(float lyapunov, float fractalDim, float fillShare) const
    {
        return lyapunov >= minLyapunov && dimension.Contains(fractalDim) && fill.Contains(fillShare);
    }
};

// The sweet spot people like: a dimension a little above 1, a small positive exponent, and a
// picture that neither traces a thin curve nor smears the square. The Gallery starts from it, and
// search and variants keep only what it accepts unless asked for every find.
[[nodiscard]] inline SearchFilter PleasingFilter()
{
    SearchFilter filter;
    filter.minLyapunov = 0.02f;
    filter.dimension = {1.1f, 1.8f};
    filter.fill = {0.1f, 0.5f};
    return filter;
}

} // namespace zephyra
