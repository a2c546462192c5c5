#include "SpecialSteps.h"

#include <cmath>
#include <cstdint>

namespace zephyra::detail {

namespace {
constexpr double TWO_PI = static_cast<double>(6.2831855f);

inline void DerivedCoordinates(int pointsCount, const Point& in, Point& out, int i)
{
    const double x = in[0], y = in[1];
    out[2] = static_cast<float>(x * x + y * y);
    out[3] = static_cast<float>(i) / static_cast<float>(pointsCount);
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

void StepAbsolute(const float* a, int pointsCount, const Point& in, Point& out, int i)
{
    const double x = in[0], y = in[1];
    out[0] = static_cast<float>(a[1] + a[2] * x + a[3] * y + a[4] * std::fabs(x) + a[5] * std::fabs(y));
    out[1] = static_cast<float>(a[6] + a[7] * x + a[8] * y + a[9] * std::fabs(x) + a[10] * std::fabs(y));
    DerivedCoordinates(pointsCount, in, out, i);
}

void StepBitwise(const float* a, int pointsCount, const Point& in, Point& out, int i)
{
    const double x = in[0], y = in[1];
    auto bits = [&](int first) {
        const int conj = TruncateLow32(a[first] * x) & TruncateLow32(a[first + 1] * y);
        const int disj = TruncateLow32(a[first + 2] * x) | TruncateLow32(a[first + 3] * y);
        return static_cast<double>(conj) + static_cast<double>(disj);
    };
    out[0] = static_cast<float>(a[1] + a[2] * x + a[3] * y + bits(4));
    out[1] = static_cast<float>(a[8] + a[9] * x + a[10] * y + bits(11));
    DerivedCoordinates(pointsCount, in, out, i);
}

void StepPower(const float* a, int pointsCount, const Point& in, Point& out, int i)
{
    const double x = in[0], y = in[1];
    const double ax = std::fabs(x), ay = std::fabs(y);
    out[0] = static_cast<float>(a[1] + a[2] * x + a[3] * y + a[4] * std::pow(ax, double(a[5])) +
                                a[6] * std::pow(ay, double(a[7])));
    out[1] = static_cast<float>(a[8] + a[9] * x + a[10] * y + a[11] * std::pow(ax, double(a[12])) +
                                a[13] * std::pow(ay, double(a[14])));
    DerivedCoordinates(pointsCount, in, out, i);
}

void StepSine(const float* a, int pointsCount, const Point& in, Point& out, int i)
{
    const double x = in[0], y = in[1];
    out[0] = static_cast<float>(a[1] + a[2] * x + a[3] * y + a[4] * std::sin(a[5] * x + a[6]) +
                                a[7] * std::sin(a[8] * y + a[9]));
    out[1] = static_cast<float>(a[10] + a[11] * x + a[12] * y + a[13] * std::sin(a[14] * x + a[15]) +
                                a[16] * std::sin(a[17] * y + a[18]));
    DerivedCoordinates(pointsCount, in, out, i);
}

void StepRotation(const float* a, int pointsCount, const Point& in, Point& out, int i)
{
    const double x = in[0], y = in[1];
    const double theta = TWO_PI / (10.0 * a[6] + 13.0);
    const double u = x + a[2] * std::sin(a[3] * y + a[4]);
    const double c = std::cos(theta), s = std::sin(theta);
    out[0] = static_cast<float>(10.0 * a[1] + u * c + y * s);
    out[1] = static_cast<float>(10.0 * a[5] - u * s + y * c);
    DerivedCoordinates(pointsCount, in, out, i);
}

void StepOscillator(const float* a, int pointsCount, const Point& in, Point& out, int i)
{
    const double x = in[0], y = in[1], z = in[2];
    out[0] = static_cast<float>(x + 0.1 * a[1] * y);
    out[1] = static_cast<float>(y + 0.1 * (a[2] * x + a[3] * x * x * x + a[4] * x * x * y + a[5] * x * y * y +
                                           a[6] * y + a[7] * y * y * y + a[8] * std::sin(z)));
    float phase = static_cast<float>(z + 0.1 * (a[9] + 1.3));
    if (phase > 6.2831855f)
        phase -= 6.2831855f;
    out[2] = phase;
    out[3] = static_cast<float>(i) / static_cast<float>(pointsCount);
}

} // namespace zephyra::detail
