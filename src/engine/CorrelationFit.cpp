#include "CorrelationFit.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace zephyra {

namespace {
// Radii a factor sqrt(2) apart, down to 2^-20 (about 10^-6) of the extent: squared distances fall
// into octaves read off their binary exponent, with no log or search per pair.
constexpr int OCTAVES = 40;
// Below this many pairs a count is noise (3 % from 1000 on); above this share the finite size of the
// attractor shows.
constexpr double FEWEST_PAIRS = 1000.0;
constexpr double LARGEST_SHARE = 0.05;
// The shortest scaling range fitted: eight radii span a little over a decade.
constexpr int SHORTEST_RANGE = 8;

// log10 of the radius below which the pairs of octaves 0..k lie, relative to the extent.
double LogRadiusAt(int k)
{
    return 0.5 * (k - OCTAVES) * std::log10(2.0);
}

// The octave of a squared distance s / extent in 0..1: k holds 2^(k - OCTAVES - 1) <= s < 2^(k - OCTAVES).
inline int OctaveOf(double share)
{
    const auto exponent = static_cast<int>((std::bit_cast<std::uint64_t>(share) >> 52) & 0x7ff) - 1023;
    return std::clamp(exponent + OCTAVES + 1, 0, OCTAVES + 1);
}

// Least squares over indices first..last: slope, intercept and the slope's standard error.
void FitLine(CorrelationFit& fit)
{
    const int n = fit.last - fit.first + 1;
    double mx = 0.0, my = 0.0;
    for (int k = fit.first; k <= fit.last; ++k) {
        mx += fit.logRadius[k];
        my += fit.logCorrelation[k];
    }
    mx /= n;
    my /= n;
    double sxx = 0.0, sxy = 0.0;
    for (int k = fit.first; k <= fit.last; ++k) {
        sxx += (fit.logRadius[k] - mx) * (fit.logRadius[k] - mx);
        sxy += (fit.logRadius[k] - mx) * (fit.logCorrelation[k] - my);
    }
    fit.slope = sxy / sxx;
    fit.intercept = my - fit.slope * mx;
    double residuals = 0.0;
    for (int k = fit.first; k <= fit.last; ++k) {
        const double e = fit.logCorrelation[k] - (fit.intercept + fit.slope * fit.logRadius[k]);
        residuals += e * e;
    }
    fit.slopeError = std::sqrt(residuals / (n - 2) / sxx);
}

// The line through the whole range where counts are trustworthy. Which window of it one fits moves
// the slope by more than the fit's own standard error (the curve of a fractal wiggles about its
// line), so the error given covers that too: half the spread of the slopes of every window of at
// least SHORTEST_RANGE radii, added in quadrature. Choosing the straightest window instead picks
// one of the wiggles and its slope.
void FitScalingRange(CorrelationFit& fit)
{
    const int low = fit.first, high = fit.last;
    double lowest = std::numeric_limits<double>::infinity(), highest = -lowest;
    for (int first = low; first + SHORTEST_RANGE - 1 <= high; ++first) {
        for (int last = first + SHORTEST_RANGE - 1; last <= high; ++last) {
            fit.first = first;
            fit.last = last;
            FitLine(fit);
            lowest = std::min(lowest, fit.slope);
            highest = std::max(highest, fit.slope);
        }
    }
    fit.first = low;
    fit.last = high;
    FitLine(fit);
    if (highest >= lowest) {
        const double spread = 0.5 * (highest - lowest);
        fit.slopeError = std::sqrt(fit.slopeError * fit.slopeError + spread * spread);
    }
}
} // namespace

double CorrelationFit::RadiusLow() const
{
    return Fitted() ? std::pow(10.0, logRadius[first]) : 0.0;
}

double CorrelationFit::RadiusHigh() const
{
    return Fitted() ? std::pow(10.0, logRadius[last]) : 0.0;
}

CorrelationFit FitCorrelationDimension(const std::vector<Point>& sample, int coordinates, int neighbours)
{
    CorrelationFit fit;
    const int n = static_cast<int>(sample.size());
    const int c = std::clamp(coordinates, 1, 4);
    double extent = 0.0;
    for (int k = 0; k < c; ++k) {
        const auto [lo, hi] = std::minmax_element(
            sample.begin(), sample.end(), [k](const Point& a, const Point& b) { return a[k] < b[k]; });
        if (lo != sample.end()) {
            const double e = static_cast<double>((*hi)[k]) - (*lo)[k];
            extent += e * e;
        }
    }
    if (!(extent > 0.0) || !std::isfinite(extent))
        return fit;

    std::array<std::int64_t, OCTAVES + 2> counts{};
    std::int64_t pairs = 0, repeats = 0;
    const double toShare = 1.0 / extent;
    for (int i = 0; i < n; ++i) {
        for (int j = i + neighbours + 1; j < n; ++j) {
            double d = 0.0;
            for (int k = 0; k < c; ++k) {
                const double e = static_cast<double>(sample[i][k]) - sample[j][k];
                d += e * e;
            }
            // A point met again (a cycle of a rounded orbit) says nothing of the geometry at any
            // radius: it would hold every small count up and flatten the slope.
            if (d == 0.0)
                ++repeats;
            else
                ++counts[static_cast<std::size_t>(OctaveOf(d * toShare))];
        }
        pairs += std::max(0, n - (i + neighbours + 1));
    }
    pairs -= repeats;
    if (pairs == 0)
        return fit;

    std::int64_t within = 0;
    for (int b = 0; b <= OCTAVES; ++b) {
        within += counts[static_cast<std::size_t>(b)];
        if (within == 0)
            continue;
        const double share = static_cast<double>(within) / static_cast<double>(pairs);
        const int index = static_cast<int>(fit.logRadius.size());
        if (within >= FEWEST_PAIRS && share <= LARGEST_SHARE) {
            if (fit.last < fit.first)
                fit.first = index;
            fit.last = index;
        }
        fit.logRadius.push_back(LogRadiusAt(b));
        fit.logCorrelation.push_back(std::log10(share));
    }
    if (fit.Fitted())
        FitScalingRange(fit);
    return fit;
}

} // namespace zephyra
