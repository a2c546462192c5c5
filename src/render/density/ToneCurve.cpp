#include "ToneCurve.h"

#include <bit>
#include <cmath>

namespace zephyra {

namespace {
constexpr int EXACT_BITS = 12;    // counts below 4096 have a bucket each
constexpr int MANTISSA_BITS = 11; // above, 2048 buckets for each power of two
constexpr std::size_t BUCKETS =
    (std::size_t{1} << EXACT_BITS) + (64 - EXACT_BITS) * (std::size_t{1} << MANTISSA_BITS);
} // namespace

DensityHistogram::DensityHistogram(int unitsPerHit, bool buckets)
    : buckets_(buckets ? BUCKETS : 0, 0), unitsPerHit_(unitsPerHit)
{
}

std::uint64_t DensityHistogram::Units(double density, double unitsPerHit)
{
    return static_cast<std::uint64_t>(density * unitsPerHit + 0.5);
}

std::size_t DensityHistogram::Bucket(std::uint64_t count)
{
    if (count < (std::uint64_t{1} << EXACT_BITS))
        return static_cast<std::size_t>(count);
    const int exponent = 63 - std::countl_zero(count); // >= EXACT_BITS
    const std::uint64_t mantissa = (count >> (exponent - MANTISSA_BITS)) & ((1u << MANTISSA_BITS) - 1);
    return (std::size_t{1} << EXACT_BITS) +
           static_cast<std::size_t>(exponent - EXACT_BITS) * (1u << MANTISSA_BITS) +
           static_cast<std::size_t>(mantissa);
}

void DensityHistogram::Count(double density)
{
    ++buckets_[Bucket(Units(density, unitsPerHit_))];
}

void DensityHistogram::Add(const DensityHistogram& other)
{
    for (std::size_t i = 0; i < buckets_.size(); ++i)
        buckets_[i] += other.buckets_[i];
    if (other.max_ > max_)
        max_ = other.max_;
}

DensityHistogram DensityHistogram::Empty() const
{
    return DensityHistogram(static_cast<int>(unitsPerHit_), !buckets_.empty());
}

ToneCurve::ToneCurve(ToneMap tone, float gamma, const DensityHistogram& histogram)
    : tone_(tone), unitsPerHit_(histogram.unitsPerHit_), power_(gamma > 0.0f ? 1.0 / gamma : 1.0),
      max_(histogram.max_), logMax_(std::log1p(max_))
{
    if (tone != ToneMap::EqualizedHistogram || histogram.buckets_.empty())
        return;
    const std::vector<std::uint64_t>& b = histogram.buckets_;
    std::uint64_t lit = 0;
    for (std::size_t i = 1; i < b.size(); ++i)
        lit += b[i];
    cumulative_.assign(b.size(), 0.0f);
    std::uint64_t below = 0;
    for (std::size_t i = 1; i < b.size(); ++i) {
        below += b[i];
        cumulative_[i] =
            lit ? static_cast<float>(static_cast<double>(below) / static_cast<double>(lit)) : 0.0f;
    }
}

float ToneCurve::Brightness(double c) const
{
    if (!(c > 0.0) || max_ <= 0.0)
        return 0.0f;
    switch (tone_) {
    case ToneMap::Log:
        return logMax_ > 0.0 ? static_cast<float>(std::log1p(c) / logMax_) : 1.0f;
    case ToneMap::EqualizedHistogram:
        if (cumulative_.empty())
            break; // a histogram without buckets: linear
        return cumulative_[DensityHistogram::Bucket(DensityHistogram::Units(c, unitsPerHit_))];
    case ToneMap::Gamma:
        return static_cast<float>(std::pow(c / max_, power_));
    case ToneMap::Linear:
        break;
    }
    return static_cast<float>(c / max_);
}

} // namespace zephyra
