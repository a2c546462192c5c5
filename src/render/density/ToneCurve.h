#pragma once
#include "DensityOptions.h"

#include <cstdint>
#include <vector>

namespace zephyra {

// The hit counts of every pixel of a picture (the sums over their S x S blocks): the largest and,
// for histogram equalisation, how many pixels have each count. Counts above 4096 share a bucket
// with counts within 1/2048 of them, so the histogram stays small for any number of points.
class DensityHistogram {
public:
    DensityHistogram();
    void Add(std::uint64_t count);
    [[nodiscard]] std::uint64_t Max() const { return max_; }

private:
    friend class ToneCurve;
    [[nodiscard]] static std::size_t Bucket(std::uint64_t count);
    std::vector<std::uint64_t> buckets_;
    std::uint64_t max_ = 0;
};

// Brightness 0..1 of a pixel from its count through the tone map; 0 for no hits.
class ToneCurve {
public:
    ToneCurve(ToneMap tone, float gamma, const DensityHistogram& histogram);
    [[nodiscard]] float Brightness(std::uint64_t count) const;

private:
    ToneMap tone_;
    double power_;
    double max_;
    double logMax_;
    std::vector<float> cumulative_; // eqhist: share of lit pixels at or below each bucket
};

} // namespace zephyra
