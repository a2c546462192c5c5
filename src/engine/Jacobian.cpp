#include "Jacobian.h"

#include "AttractorCase.h"
#include "Iterate.h"
#include "SpecialSteps.h"

#include <cmath>
#include <emmintrin.h>
#include <utility>

namespace zephyra {

namespace {

// Walks the monomials in the step's order, carrying each product and its gradient, and adds
// coefficient x product to the value and coefficient x gradient to the row of every equation, all in
// double. The walk is unrolled at compile time; the equations' sums go two to an SSE2 register and the
// product and gradient are carried in both lanes, which halves the instructions. Each sum still adds
// its terms in monomial order, so the results are those of a scalar walk.
template <int D, int O, bool Ode> struct PolynomialTangentStep {
    static constexpr int T = TermsPerEquation(D, O);
    static constexpr int PAIRS = (D + 1) / 2; // equations 2p and 2p + 1 share lane pair p
    struct Gradient {
        __m128d by[D]; // the derivative by x_u in both lanes
    };
    struct Lanes {
        __m128d pair[PAIRS];
    };

    const float* a;
    int term = 1;
    Lanes values{};
    Lanes sums[D] = {}; // sums[u]: the derivatives of the equations by x_u

    // Term t's coefficients in the D equations, a zero past the last one.
    [[nodiscard]] Lanes Coefficients(int t) const
    {
        Lanes c;
        for (int p = 0; p < PAIRS; ++p) {
            const double second = 2 * p + 1 < D ? a[1 + (2 * p + 1) * T + t] : 0.0;
            c.pair[p] = _mm_set_pd(second, a[1 + 2 * p * T + t]);
        }
        return c;
    }

    // Adds a term whose gradient is nonzero in its first `Used` entries only.
    template <int Used> [[gnu::always_inline]] void Add(__m128d product, const Gradient& gradient)
    {
        const Lanes c = Coefficients(term);
        for (int p = 0; p < PAIRS; ++p)
            values.pair[p] = _mm_add_pd(values.pair[p], _mm_mul_pd(c.pair[p], product));
        for (int u = 0; u < Used; ++u) {
            for (int p = 0; p < PAIRS; ++p)
                sums[u].pair[p] = _mm_add_pd(sums[u].pair[p], _mm_mul_pd(c.pair[p], gradient.by[u]));
        }
        ++term;
    }

    // The terms that extend the current one by x_V, then their own extensions. The variables of a
    // monomial come in ascending order, so while the last one is x_V the gradient ends at entry V.
    template <int Degree, int V> void Visit(const WidePoint& in, __m128d product, const Gradient& gradient)
    {
        const __m128d x = _mm_set1_pd(in[V]);
        Gradient next{};
        for (int u = 0; u <= V; ++u)
            next.by[u] = _mm_mul_pd(gradient.by[u], x);
        next.by[V] = _mm_add_pd(next.by[V], product);
        const __m128d extended = _mm_mul_pd(product, x);
        Add<V + 1>(extended, next);
        if constexpr (Degree < O)
            Expand<Degree + 1, V>(in, extended, next);
    }

    template <int Degree, int From>
    void Expand(const WidePoint& in, __m128d product, const Gradient& gradient)
    {
        [&]<int... V>(std::integer_sequence<int, V...>)
        {
            (Visit<Degree, From + V>(in, product, gradient), ...);
        }
        (std::make_integer_sequence<int, D - From>{});
    }

    static void Step(const float* a, int, const WidePoint& in, WidePoint& out, TangentMatrix& j, int)
    {
        PolynomialTangentStep walk{a};
        walk.values = walk.Coefficients(0);
        walk.template Expand<1, 0>(in, _mm_set1_pd(1.0), Gradient{});
        double values[2 * PAIRS];
        double sums[D][2 * PAIRS];
        for (int p = 0; p < PAIRS; ++p) {
            _mm_storeu_pd(values + 2 * p, walk.values.pair[p]);
            for (int u = 0; u < D; ++u)
                _mm_storeu_pd(sums[u] + 2 * p, walk.sums[u].pair[p]);
        }
        out = {};
        j = {};
        for (int k = 0; k < D; ++k) {
            out[k] = Ode ? in[k] + ODE_STEP * values[k] : values[k];
            for (int u = 0; u < D; ++u)
                j[k][u] = Ode ? (k == u ? 1.0 : 0.0) + ODE_STEP * sums[u][k] : sums[u][k];
        }
    }
};

double Sign(double v)
{
    return v > 0.0 ? 1.0 : (v < 0.0 ? -1.0 : 0.0);
}

template <typename Coefficient>
void JacobianAbsolute(const Coefficient* a, const WidePoint& at, TangentMatrix& j)
{
    const double sx = Sign(at[0]), sy = Sign(at[1]);
    j = {};
    j[0][0] = a[2] + a[4] * sx;
    j[0][1] = a[3] + a[5] * sy;
    j[1][0] = a[7] + a[9] * sx;
    j[1][1] = a[8] + a[10] * sy;
}

// The integer parts of case Z are constant between their jumps, which lie on lines the orbit
// crosses with probability 0: almost everywhere only the linear terms have a derivative.
template <typename Coefficient> void JacobianBitwise(const Coefficient* a, const WidePoint&, TangentMatrix& j)
{
    j = {};
    j[0][0] = a[2];
    j[0][1] = a[3];
    j[1][0] = a[9];
    j[1][1] = a[10];
}

// d/dv of c |v|^p.
double PowerSlope(double c, double p, double v)
{
    return c * p * std::pow(std::fabs(v), p - 1.0) * Sign(v);
}

template <typename Coefficient>
void JacobianPower(const Coefficient* a, const WidePoint& at, TangentMatrix& j)
{
    const double x = at[0], y = at[1];
    j = {};
    j[0][0] = a[2] + PowerSlope(a[4], a[5], x);
    j[0][1] = a[3] + PowerSlope(a[6], a[7], y);
    j[1][0] = a[9] + PowerSlope(a[11], a[12], x);
    j[1][1] = a[10] + PowerSlope(a[13], a[14], y);
}

template <typename Coefficient> void JacobianSine(const Coefficient* a, const WidePoint& at, TangentMatrix& j)
{
    const double x = at[0], y = at[1];
    j = {};
    j[0][0] = a[2] + a[4] * a[5] * std::cos(a[5] * x + a[6]);
    j[0][1] = a[3] + a[7] * a[8] * std::cos(a[8] * y + a[9]);
    j[1][0] = a[11] + a[13] * a[14] * std::cos(a[14] * x + a[15]);
    j[1][1] = a[12] + a[16] * a[17] * std::cos(a[17] * y + a[18]);
}

template <typename Coefficient>
void JacobianRotation(const Coefficient* a, const WidePoint& at, TangentMatrix& j)
{
    const double y = at[1];
    const double theta = static_cast<double>(6.2831855f) / (10.0 * a[6] + 13.0);
    const double c = std::cos(theta), s = std::sin(theta);
    const double du = a[2] * a[3] * std::cos(a[3] * y + a[4]); // du/dy; du/dx = 1
    j = {};
    j[0][0] = c;
    j[0][1] = du * c + s;
    j[1][0] = -s;
    j[1][1] = -du * s + c;
}

// Case '^' is forced by its phase z, a third coordinate of the cloud it draws: its row adds the
// exponent 0 of the phase that runs on by itself, so the Kaplan-Yorke dimension is the cloud's.
template <typename Coefficient>
void JacobianOscillator(const Coefficient* a, const WidePoint& at, TangentMatrix& j)
{
    const double x = at[0], y = at[1], z = at[2];
    j = {};
    j[0][0] = 1.0;
    j[0][1] = 0.1 * a[1];
    j[1][0] = 0.1 * (a[2] + 3.0 * a[3] * x * x + 2.0 * a[4] * x * y + a[5] * y * y);
    j[1][1] = 1.0 + 0.1 * (a[4] * x * x + 2.0 * a[5] * x * y + a[6] + 3.0 * a[7] * y * y);
    j[1][2] = 0.1 * a[8] * std::cos(z);
    j[2][2] = 1.0;
}

template <typename Coefficient>
using SpecialJacobian = void (*)(const Coefficient* a, const WidePoint& at, TangentMatrix& j);

// A special map's step in double: a float state would fall onto a cycle of the float grid and the
// spectrum would be that cycle's.
template <typename Coefficient>
using SpecialWideStep = void (*)(const Coefficient* a, int pointsCount, const WidePoint& in, WidePoint& out,
                                 int i);

template <typename Coefficient, SpecialWideStep<Coefficient> Step, SpecialJacobian<Coefficient> Jacobian>
void SpecialTangentStep(const Coefficient* a, int pointsCount, const WidePoint& in, WidePoint& out,
                        TangentMatrix& j, int i)
{
    Step(a, pointsCount, in, out, i);
    Jacobian(a, in, j);
}

template <typename Coefficient>
using SpecialTangentStepOf = void (*)(const Coefficient* a, int pointsCount, const WidePoint& in,
                                      WidePoint& out, TangentMatrix& j, int i);

// The special maps 'Y' to '^' with coefficients of one type.
template <typename C>
constexpr SpecialTangentStepOf<C> specialTangents[] = {
    SpecialTangentStep<C, detail::StepAbsolute<double, C>, JacobianAbsolute<C>>,
    SpecialTangentStep<C, detail::StepBitwise<double, C>, JacobianBitwise<C>>,
    SpecialTangentStep<C, detail::StepPower<double, C>, JacobianPower<C>>,
    SpecialTangentStep<C, detail::StepSine<double, C>, JacobianSine<C>>,
    SpecialTangentStep<C, detail::StepRotation<double, C>, JacobianRotation<C>>,
    SpecialTangentStep<C, detail::StepOscillator<double, C>, JacobianOscillator<C>>};

template <int D, int O, bool Ode>
constexpr TangentStepFunction Polynomial = &PolynomialTangentStep<D, O, Ode>::Step;

TangentStepFunction SelectPolynomial(bool ode, int dimension, int order)
{
    // Rows: dimension 2..4; columns: order 2..5.
    static constexpr TangentStepFunction maps[3][4] = {
        {Polynomial<2, 2, false>, Polynomial<2, 3, false>, Polynomial<2, 4, false>, Polynomial<2, 5, false>},
        {Polynomial<3, 2, false>, Polynomial<3, 3, false>, Polynomial<3, 4, false>, Polynomial<3, 5, false>},
        {Polynomial<4, 2, false>, Polynomial<4, 3, false>, Polynomial<4, 4, false>, Polynomial<4, 5, false>}};
    static constexpr TangentStepFunction odes[3][4] = {
        {Polynomial<2, 2, true>, Polynomial<2, 3, true>, Polynomial<2, 4, true>, Polynomial<2, 5, true>},
        {Polynomial<3, 2, true>, Polynomial<3, 3, true>, Polynomial<3, 4, true>, Polynomial<3, 5, true>},
        {Polynomial<4, 2, true>, Polynomial<4, 3, true>, Polynomial<4, 4, true>, Polynomial<4, 5, true>}};
    if (dimension < 2 || dimension > 4 || order < 2 || order > 5)
        return nullptr;
    return (ode ? odes : maps)[dimension - 2][order - 2];
}

} // namespace

TangentSystem SelectTangentSystem(int kind, int dimension, int order)
{
    // The special maps move x and y; case '^' also its phase.
    if (kind >= KIND_SPECIAL_Y && kind <= KIND_SPECIAL_LAST)
        return {kind == KIND_SPECIAL_LAST ? 3 : 2, specialTangents<float>[kind - KIND_SPECIAL_Y]};
    if (kind != KIND_MAP && kind != KIND_ODE)
        return {};
    const TangentStepFunction f = SelectPolynomial(kind == KIND_ODE, dimension, order);
    return {f ? dimension : 0, f};
}

WideTangentStepFunction SelectWideSpecialTangentStep(int kind)
{
    if (kind >= KIND_SPECIAL_Y && kind <= KIND_SPECIAL_LAST)
        return specialTangents<double>[kind - KIND_SPECIAL_Y];
    return nullptr;
}

} // namespace zephyra
