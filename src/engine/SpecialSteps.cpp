#include "SpecialSteps.h"

#include <cmath>
#include <cstdint>

namespace zephyra::detail {

namespace {
constexpr float TWO_PI_FLOAT = 6.2831855f;
constexpr double TWO_PI = static_cast<double>(TWO_PI_FLOAT);

template <typename Real>
inline void DerivedCoordinates(int pointsCount, const SpecialState<Real>& in, SpecialState<Real>& out, int i)
{
    const double x = in[0], y = in[1];
    out[2] = static_cast<Real>(x * x + y * y);
    out[3] = static_cast<Real>(i) / static_cast<Real>(pointsCount);
}
} // namespace

int TruncateLow32(double v)
{
    const double t = std::trunc(v + 0.5);
    // The range check keeps the conversion defined; it also rejects infinities and NaNs.
    if (!(t >= -9223372036854775808.0 && t < 9223372036854775808.0))
        return 0;
    const auto wide = static_cast<std::int64_t>(t);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(wide)));
}

template <typename Real, typename Coefficient>
void StepAbsolute(const Coefficient* a, int pointsCount, const SpecialState<Real>& in,
                  SpecialState<Real>& out, int i)
{
    const double x = in[0], y = in[1];
    out[0] = static_cast<Real>(a[1] + a[2] * x + a[3] * y + a[4] * std::fabs(x) + a[5] * std::fabs(y));
    out[1] = static_cast<Real>(a[6] + a[7] * x + a[8] * y + a[9] * std::fabs(x) + a[10] * std::fabs(y));
    DerivedCoordinates(pointsCount, in, out, i);
}

template <typename Real, typename Coefficient>
void StepBitwise(const Coefficient* a, int pointsCount, const SpecialState<Real>& in, SpecialState<Real>& out,
                 int i)
{
    const double x = in[0], y = in[1];
    auto bits = [&](int first) {
        const int conj = TruncateLow32(a[first] * x) & TruncateLow32(a[first + 1] * y);
        const int disj = TruncateLow32(a[first + 2] * x) | TruncateLow32(a[first + 3] * y);
        return static_cast<double>(conj) + static_cast<double>(disj);
    };
    out[0] = static_cast<Real>(a[1] + a[2] * x + a[3] * y + bits(4));
    out[1] = static_cast<Real>(a[8] + a[9] * x + a[10] * y + bits(11));
    DerivedCoordinates(pointsCount, in, out, i);
}

template <typename Real, typename Coefficient>
void StepPower(const Coefficient* a, int pointsCount, const SpecialState<Real>& in, SpecialState<Real>& out,
               int i)
{
    const double x = in[0], y = in[1];
    const double ax = std::fabs(x), ay = std::fabs(y);
    out[0] = static_cast<Real>(a[1] + a[2] * x + a[3] * y + a[4] * std::pow(ax, double(a[5])) +
                               a[6] * std::pow(ay, double(a[7])));
    out[1] = static_cast<Real>(a[8] + a[9] * x + a[10] * y + a[11] * std::pow(ax, double(a[12])) +
                               a[13] * std::pow(ay, double(a[14])));
    DerivedCoordinates(pointsCount, in, out, i);
}

template <typename Real, typename Coefficient>
void StepSine(const Coefficient* a, int pointsCount, const SpecialState<Real>& in, SpecialState<Real>& out,
              int i)
{
    const double x = in[0], y = in[1];
    out[0] = static_cast<Real>(a[1] + a[2] * x + a[3] * y + a[4] * std::sin(a[5] * x + a[6]) +
                               a[7] * std::sin(a[8] * y + a[9]));
    out[1] = static_cast<Real>(a[10] + a[11] * x + a[12] * y + a[13] * std::sin(a[14] * x + a[15]) +
                               a[16] * std::sin(a[17] * y + a[18]));
    DerivedCoordinates(pointsCount, in, out, i);
}

template <typename Real, typename Coefficient>
void StepRotation(const Coefficient* a, int pointsCount, const SpecialState<Real>& in,
                  SpecialState<Real>& out, int i)
{
    const double x = in[0], y = in[1];
    const double theta = TWO_PI / (10.0 * a[6] + 13.0);
    const double u = x + a[2] * std::sin(a[3] * y + a[4]);
    const double c = std::cos(theta), s = std::sin(theta);
    out[0] = static_cast<Real>(10.0 * a[1] + u * c + y * s);
    out[1] = static_cast<Real>(10.0 * a[5] - u * s + y * c);
    DerivedCoordinates(pointsCount, in, out, i);
}

template <typename Real, typename Coefficient>
void StepOscillator(const Coefficient* a, int pointsCount, const SpecialState<Real>& in,
                    SpecialState<Real>& out, int i)
{
    const double x = in[0], y = in[1], z = in[2];
    out[0] = static_cast<Real>(x + 0.1 * a[1] * y);
    out[1] = static_cast<Real>(y + 0.1 * (a[2] * x + a[3] * x * x * x + a[4] * x * x * y + a[5] * x * y * y +
                                          a[6] * y + a[7] * y * y * y + a[8] * std::sin(z)));
    Real phase = static_cast<Real>(z + 0.1 * (a[9] + 1.3));
    if (phase > static_cast<Real>(TWO_PI_FLOAT))
        phase -= static_cast<Real>(TWO_PI_FLOAT);
    out[2] = phase;
    out[3] = static_cast<Real>(i) / static_cast<Real>(pointsCount);
}

// The engine's orbit; the spectrum's double orbit of a code; the free-running orbits of exact values.
#define ZEPHYRA_INSTANTIATE(Real, Coefficient)                                                               \
    template void StepAbsolute<Real, Coefficient>(const Coefficient*, int, const SpecialState<Real>&,        \
                                                  SpecialState<Real>&, int);                                 \
    template void StepBitwise<Real, Coefficient>(const Coefficient*, int, const SpecialState<Real>&,         \
                                                 SpecialState<Real>&, int);                                  \
    template void StepPower<Real, Coefficient>(const Coefficient*, int, const SpecialState<Real>&,           \
                                               SpecialState<Real>&, int);                                    \
    template void StepSine<Real, Coefficient>(const Coefficient*, int, const SpecialState<Real>&,            \
                                              SpecialState<Real>&, int);                                     \
    template void StepRotation<Real, Coefficient>(const Coefficient*, int, const SpecialState<Real>&,        \
                                                  SpecialState<Real>&, int);                                 \
    template void StepOscillator<Real, Coefficient>(const Coefficient*, int, const SpecialState<Real>&,      \
                                                    SpecialState<Real>&, int);
ZEPHYRA_INSTANTIATE(float, float)
ZEPHYRA_INSTANTIATE(double, float)
ZEPHYRA_INSTANTIATE(double, double)
#undef ZEPHYRA_INSTANTIATE

} // namespace zephyra::detail
