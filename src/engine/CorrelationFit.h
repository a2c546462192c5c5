#pragma once
#include "Point.h"

#include <vector>

namespace zephyra {

// The correlation dimension as the slope of log C(r) against log r: C(r) is the share of pairs of
// sample points closer than r, counted over every pair (but near neighbours along the orbit) at
// radii a factor sqrt(2) apart; the slope is fitted by least squares over the scaling range, where
// enough pairs are counted and the attractor's size does not yet bend the curve.
struct CorrelationFit {
    // log10 of r relative to the sample's extent, and log10 C(r), for every radius that holds pairs.
    std::vector<double> logRadius;
    std::vector<double> logCorrelation;
    int first = 0; // the fitted scaling range: indices first .. last of the two arrays
    int last = -1;
    double slope = 0.0;
    double slopeError = 0.0; // standard error of the fitted slope
    double intercept = 0.0;

    [[nodiscard]] bool Fitted() const { return last - first >= 2; }
    // The range of the fit as radii relative to the sample's extent.
    [[nodiscard]] double RadiusLow() const;
    [[nodiscard]] double RadiusHigh() const;
};

// `coordinates` says how many of each point's coordinates are dynamical (2 for the special maps);
// `neighbours` pairs nearer than this along the sample are left out, as they lie close by
// continuity, not by the attractor's geometry.
[[nodiscard]] CorrelationFit FitCorrelationDimension(const std::vector<Point>& sample, int coordinates,
                                                     int neighbours);

} // namespace zephyra
