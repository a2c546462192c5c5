#pragma once
#include "Point.h"
#include "RandomGenerator.h"

#include <cmath>

namespace zephyra {

// The per-iteration tests and measurements of a run. Inline: they sit in the engine's hot loop.

// Divergence test: every coordinate of the new point is finite.
[[nodiscard]] inline bool IsFinitePoint(const Point& p)
{
    return std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]) && std::isfinite(p[3]);
}

// Fixed-point test: the orbit moved less than 0.000001 (sum of the four distances, in double).
[[nodiscard]] inline bool HasStalled(const Point& previous, const Point& next)
{
    double moved = 0.0;
    for (int k = 0; k < 4; ++k)
        moved += std::fabs(static_cast<double>(next[k]) - static_cast<double>(previous[k]));
    return moved < 0.000001;
}

// Largest Lyapunov exponent from a shadow orbit kept 1/sqrt(1e9) from the main one.
class LyapunovEstimate {
public:
    // 1 / (2 ln 2): ln of a squared separation to bits.
    static constexpr double BITS_FACTOR = 0.7213469743728638;
    static constexpr double SEPARATION_SCALE = 1000000000.0;

    // `derivedZ`: the case's z is x^2 + y^2 of the step's input (special maps but '^'), which the
    // next step never reads. It stays out of the separation: as some 20 times the separation of x
    // and y it would squeeze that to the float's resolution, whose rounding then reads as growth.
    explicit LyapunovEstimate(bool derivedZ = false) : derivedZ_(derivedZ) {}

    // `p` is the new main point, `q` the shadow point just stepped from the old shadow; `q` is pulled
    // back towards `p`, and `lyapunov` becomes the running average over `i` when the orbits differ.
    inline void Update(const Point& p, Point& q, int i, float& lyapunov)
    {
        float d[4];
        for (int k = 0; k < 4; ++k)
            d[k] = q[k] - p[k];
        if (derivedZ_)
            d[2] = 0.0f;
        double squared = 0.0;
        for (int k = 0; k < 4; ++k)
            squared += static_cast<double>(d[k]) * static_cast<double>(d[k]);
        const double r = squared * SEPARATION_SCALE;
        if (r == 0.0) [[unlikely]] {
            // A shadow that rounded onto the main orbit would follow it for ever and the exponent
            // would never change again: it goes on from the renormalised distance, along x, as the
            // renormalisation of any separation too small to measure would put it. No term.
            q = p;
            q[0] = static_cast<float>(static_cast<double>(p[0]) + 1.0 / std::sqrt(SEPARATION_SCALE));
            return;
        }
        const double factor = 1.0 / std::sqrt(r);
        for (int k = 0; k < 4; ++k)
            q[k] = static_cast<float>(static_cast<double>(p[k]) + factor * static_cast<double>(d[k]));
        sum_ += std::log(r);
        // At i = 0 this divides by zero (an infinity or a NaN); the next iteration replaces it.
        lyapunov = static_cast<float>(sum_ * BITS_FACTOR / static_cast<double>(i));
    }

private:
    // In double: a float sum stops growing once it is 2^24 times a term (tens of millions of steps).
    double sum_ = 0.0;
    bool derivedZ_;
};

// Correlation dimension from random pairs: the ratio of pair counts within two radii a decade apart.
class CorrelationDimension {
public:
    static constexpr int FIRST_SAMPLE = 5000;
    static constexpr float INDEX_FACTOR = 0.000030518509f; // 1 / 32767

    // Radii from the bounds of the orbit so far; `dimension` is the case's D (4 for special maps).
    void Setup(const Point& min, const Point& max, int dimension)
    {
        double spread = 0.0;
        for (int k = 0; k < 4; ++k) {
            const double extent = static_cast<double>(max[k]) - static_cast<double>(min[k]);
            spread += extent * extent;
        }
        const double scale = static_cast<double>(dimension) * static_cast<double>(dimension) * spread;
        r1_ = static_cast<float>(0.001 * scale);
        r2_ = static_cast<float>(0.00001 * scale);
        k1_ = k2_ = 1.0;
    }

    // Index of the earlier point paired with point i, from one draw r of 0..32767.
    [[nodiscard]] static inline int PartnerIndex(int r, int i)
    {
        // The rounded factor times 32767 is 1 - 9e-10, so j stays below i for every int32 i.
        return static_cast<int>(static_cast<double>(r) * static_cast<double>(i) *
                                static_cast<double>(INDEX_FACTOR));
    }

    // One pair sample: point i against an earlier point j.
    inline void Sample(const Point& pi, const Point& pj, float& fractalDim)
    {
        double s = 0.0;
        for (int k = 0; k < 4; ++k) {
            const double d = static_cast<double>(pi[k]) - static_cast<double>(pj[k]);
            s += d * d;
        }
        if (s < static_cast<double>(r1_))
            k1_ += 1.0;
        if (s <= static_cast<double>(r2_)) {
            k2_ += 1.0;
            fractalDim = static_cast<float>(std::log10(k1_ / (k2_ - 0.5)));
        }
    }

private:
    float r1_ = 0.0f, r2_ = 0.0f;
    double k1_ = 1.0, k2_ = 1.0; // pair counts: a float count stops at 2^24
};

// The partners of the pair samples, drawn a few iterations ahead so that the random point each
// sample reads is already on its way from memory (a 16 MB buffer does not stay in cache). The
// draws keep the order of the iterations they serve, and none is made for an iteration >= n.
class PartnerDraws {
public:
    static constexpr int AHEAD = 8; // a power of two

    PartnerDraws(RandomGenerator& random, const Point* points, int n)
        : random_(random), points_(points), n_(n)
    {
    }

    // Draws the partners of iterations first .. first + AHEAD - 1.
    void Start(int first)
    {
        for (int t = first; t < first + AHEAD && t < n_; ++t)
            Draw(t);
    }
    // The partner of iteration i (drawn earlier); draws the one of i + AHEAD.
    [[nodiscard]] inline int Take(int i)
    {
        const int j = pending_[i & (AHEAD - 1)];
        if (i + AHEAD < n_)
            Draw(i + AHEAD);
        return j;
    }

private:
    inline void Draw(int t)
    {
        const int j = CorrelationDimension::PartnerIndex(random_.Next(), t);
        pending_[t & (AHEAD - 1)] = j;
        __builtin_prefetch(points_ + j);
    }

    RandomGenerator& random_;
    const Point* points_;
    int n_;
    int pending_[AHEAD] = {};
};

} // namespace zephyra
