#include "Iterate.h"

#include "Attractor.h"
#include "PolynomialPairStep.h"
#include "PolynomialStep.h"
#include "SpecialSteps.h"

namespace zephyra {

namespace {

template <int D, int O, bool Ode> void Polynomial(const float* a, int, const Point& in, Point& out, int)
{
    detail::PolynomialStep<D, O, Ode>{a, {}}.Run(in, out);
}

template <int D, int O, bool Ode>
void PolynomialPair(const float*, const double* wide, int, const Point& in1, Point& out1, const Point& in2,
                    Point& out2, int)
{
    detail::PolynomialPairStep<D, O, Ode>{wide, {}}.Run(in1, out1, in2, out2);
}

template <StepFunction Step>
void SpecialPair(const float* a, const double*, int n, const Point& in1, Point& out1, const Point& in2,
                 Point& out2, int i)
{
    Step(a, n, in1, out1, i);
    Step(a, n, in2, out2, i);
}

template <template <int, int, bool> class Table, typename Fn>
Fn SelectPolynomial(bool ode, int dimension, int order)
{
    // Rows: dimension 2..4; columns: order 2..5; first maps, then ODEs.
    static constexpr Fn maps[3][4] = {
        {Table<2, 2, false>::fn, Table<2, 3, false>::fn, Table<2, 4, false>::fn, Table<2, 5, false>::fn},
        {Table<3, 2, false>::fn, Table<3, 3, false>::fn, Table<3, 4, false>::fn, Table<3, 5, false>::fn},
        {Table<4, 2, false>::fn, Table<4, 3, false>::fn, Table<4, 4, false>::fn, Table<4, 5, false>::fn}};
    static constexpr Fn odes[3][4] = {
        {Table<2, 2, true>::fn, Table<2, 3, true>::fn, Table<2, 4, true>::fn, Table<2, 5, true>::fn},
        {Table<3, 2, true>::fn, Table<3, 3, true>::fn, Table<3, 4, true>::fn, Table<3, 5, true>::fn},
        {Table<4, 2, true>::fn, Table<4, 3, true>::fn, Table<4, 4, true>::fn, Table<4, 5, true>::fn}};
    if (dimension < 2 || dimension > 4 || order < 2 || order > 5)
        return nullptr;
    return (ode ? odes : maps)[dimension - 2][order - 2];
}

template <int D, int O, bool Ode> struct SingleTable {
    static constexpr StepFunction fn = &Polynomial<D, O, Ode>;
};
template <int D, int O, bool Ode> struct PairTable {
    static constexpr PairStepFunction fn = &PolynomialPair<D, O, Ode>;
};

constexpr StepFunction specials[] = {
    detail::StepAbsolute<float, float>, detail::StepBitwise<float, float>,
    detail::StepPower<float, float>,    detail::StepSine<float, float>,
    detail::StepRotation<float, float>, detail::StepOscillator<float, float>};
constexpr PairStepFunction specialPairs[] = {SpecialPair<specials[0]>, SpecialPair<specials[1]>,
                                             SpecialPair<specials[2]>, SpecialPair<specials[3]>,
                                             SpecialPair<specials[4]>, SpecialPair<specials[5]>};
constexpr WideStepFunction wideSpecials[] = {
    detail::StepAbsolute<double, double>, detail::StepBitwise<double, double>,
    detail::StepPower<double, double>,    detail::StepSine<double, double>,
    detail::StepRotation<double, double>, detail::StepOscillator<double, double>};

} // namespace

StepFunction SelectStep(int kind, int dimension, int order)
{
    if (kind >= KIND_SPECIAL_Y && kind <= KIND_SPECIAL_LAST)
        return specials[kind - KIND_SPECIAL_Y];
    if (kind != KIND_MAP && kind != KIND_ODE)
        return nullptr;
    return SelectPolynomial<SingleTable, StepFunction>(kind == KIND_ODE, dimension, order);
}

PairStepFunction SelectPairStep(int kind, int dimension, int order)
{
    if (kind >= KIND_SPECIAL_Y && kind <= KIND_SPECIAL_LAST)
        return specialPairs[kind - KIND_SPECIAL_Y];
    if (kind != KIND_MAP && kind != KIND_ODE)
        return nullptr;
    return SelectPolynomial<PairTable, PairStepFunction>(kind == KIND_ODE, dimension, order);
}

WideStepFunction SelectWideSpecialStep(int kind)
{
    if (kind >= KIND_SPECIAL_Y && kind <= KIND_SPECIAL_LAST)
        return wideSpecials[kind - KIND_SPECIAL_Y];
    return nullptr;
}

void WidenCoefficients(const float* a, int codeLength, WideCoefficients& wide)
{
    for (int i = 0; i < codeLength && i < MAX_CODE_LENGTH; ++i)
        wide[static_cast<std::size_t>(i)] = a[i];
}

void Iterate(const Attractor& attractor, const Point& in, Point& out, int i)
{
    const StepFunction step = SelectStep(attractor.kind, attractor.dimension, attractor.order);
    if (!step || static_cast<int>(attractor.coefficients.size()) != attractor.codeLength)
        return;
    if (!attractor.HasExactCoefficients()) {
        step(attractor.coefficients.data(), attractor.pointsCount, in, out, i);
        return;
    }
    std::array<float, MAX_CODE_LENGTH> a{};
    for (int k = 1; k < attractor.codeLength && k < MAX_CODE_LENGTH; ++k)
        a[static_cast<std::size_t>(k)] = attractor.OrbitCoefficientOf(k);
    step(a.data(), attractor.pointsCount, in, out, i);
}

} // namespace zephyra
