#pragma once
#include "DensityOptions.h"

#include <cstdint>
#include <vector>

namespace zephyra {

// The densities of every canvas cell of a picture: the largest and, for histogram equalisation,
// how many cells have each. A density is counted in `unitsPerHit` units (more than one for
// smoothed densities, which have fractions); above 4096 units a bucket holds the values within
// 1/2048 of each other, so the histogram stays small for any number of points. Only histogram
// equalisation reads the buckets: without `buckets` the histogram keeps the largest alone, which
// spares the resolve a bucket look-up for each of the canvas's cells.
class DensityHistogram {
public:
    explicit DensityHistogram(int unitsPerHit = 1, bool buckets = true);
    void Add(double density)
    {
        if (!buckets_.empty())
            Count(density);
        if (density > max_)
            max_ = density;
    }
    // Adds the densities counted into `other`, a histogram of the same units and kind.
    void Add(const DensityHistogram& other);
    // A histogram of the same units and kind with nothing counted.
    [[nodiscard]] DensityHistogram Empty() const;

private:
    void Count(double density);
    friend class ToneCurve;
    [[nodiscard]] static std::size_t Bucket(std::uint64_t units);
    [[nodiscard]] static std::uint64_t Units(double density, double unitsPerHit);
    std::vector<std::uint64_t> buckets_;
    double unitsPerHit_;
    double max_ = 0.0;
};

// Brightness 0..1 of a cell from its density (hits) through the tone map; 0 for none.
class ToneCurve {
public:
    ToneCurve(ToneMap tone, float gamma, const DensityHistogram& histogram);
    [[nodiscard]] float Brightness(double density) const;

private:
    ToneMap tone_;
    double unitsPerHit_;
    double power_;
    double max_;
    double logMax_;
    std::vector<float> cumulative_; // eqhist: share of lit pixels at or below each bucket
};

} // namespace zephyra
