#include "LyapunovExponents.h"

#include "Iterate.h"
#include "Jacobian.h"
#include "KaplanYorke.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

namespace zephyra {

namespace {

constexpr double NATS_TO_BITS = 1.0 / std::numbers::ln2;
constexpr int PROGRESS_INTERVAL = 1 << 16;
constexpr double FIRST_HISTORY_STEP = 100.0;

// The log of a long product: the product is kept as it grows and its log taken only when it nears
// the ends of double's range, which saves a log per factor and loses nothing.
class LogProduct {
public:
    void Multiply(double factor)
    {
        product_ *= factor;
        if (!(product_ > LOW && product_ < HIGH))
            Flush();
    }
    [[nodiscard]] double Log() const { return logs_ + std::log(product_); }
    // The log so far; starts afresh.
    double Take()
    {
        const double total = Log();
        product_ = 1.0;
        logs_ = 0.0;
        return total;
    }

private:
    void Flush()
    {
        logs_ += std::log(product_);
        product_ = 1.0;
    }
    static constexpr double LOW = 1e-200, HIGH = 1e200;
    double product_ = 1.0;
    double logs_ = 0.0;
};

// |det| of the leading n x n block, by elimination with partial pivoting.
double AbsDeterminant(TangentMatrix m, int n)
{
    double det = 1.0;
    for (int c = 0; c < n; ++c) {
        int pivot = c;
        for (int r = c + 1; r < n; ++r) {
            if (std::fabs(m[r][c]) > std::fabs(m[pivot][c]))
                pivot = r;
        }
        if (m[pivot][c] == 0.0)
            return 0.0;
        std::swap(m[pivot], m[c]);
        det *= m[c][c];
        for (int r = c + 1; r < n; ++r) {
            const double f = m[r][c] / m[c][c];
            for (int k = c + 1; k < n; ++k)
                m[r][k] -= f * m[c][k];
        }
    }
    return std::fabs(det);
}

// v = j v for the n tangent vectors, the columns of v.
void Advance(const TangentMatrix& j, TangentMatrix& v, int n)
{
    TangentMatrix next{};
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            double s = 0.0;
            for (int k = 0; k < n; ++k)
                s += j[r][k] * v[k][c];
            next[r][c] = s;
        }
    }
    v = next;
}

// Modified Gram-Schmidt on the columns of v: each becomes a unit vector orthogonal to those before
// it, and its length before the division (the diagonal of R) joins its product.
void Orthonormalise(TangentMatrix& v, int n, LogProduct* stretch)
{
    for (int c = 0; c < n; ++c) {
        for (int prior = 0; prior < c; ++prior) {
            double dot = 0.0;
            for (int r = 0; r < n; ++r)
                dot += v[r][prior] * v[r][c];
            for (int r = 0; r < n; ++r)
                v[r][c] -= dot * v[r][prior];
        }
        double squared = 0.0;
        for (int r = 0; r < n; ++r)
            squared += v[r][c] * v[r][c];
        const double length = std::sqrt(squared);
        stretch[c].Multiply(length);
        for (int r = 0; r < n; ++r)
            v[r][c] /= length;
    }
}

struct BlockStatistics {
    double mean = 0.0;
    double error = 0.0;
};

// Mean per step over all blocks, and the standard error of the block means.
BlockStatistics OverBlocks(const std::vector<double>& sums, const std::vector<int>& lengths)
{
    const double total = std::accumulate(sums.begin(), sums.end(), 0.0);
    const int steps = std::accumulate(lengths.begin(), lengths.end(), 0);
    const double mean = total / steps;
    const auto b = sums.size();
    if (b < 2)
        return {mean, 0.0};
    double spread = 0.0;
    for (std::size_t i = 0; i < b; ++i) {
        const double d = sums[i] / lengths[i] - mean;
        spread += d * d;
    }
    return {mean, std::sqrt(spread / static_cast<double>(b * (b - 1)))};
}

// Puts the exponents (with their errors and running estimates) in order, largest first.
void SortLargestFirst(SpectrumResult& r)
{
    const std::size_t n = r.exponents.size();
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return r.exponents[a] > r.exponents[b]; });
    auto permute = [&](std::vector<double>& v) {
        std::vector<double> sorted(n);
        for (std::size_t k = 0; k < n; ++k)
            sorted[k] = v[order[k]];
        v = std::move(sorted);
    };
    permute(r.exponents);
    permute(r.errors);
    for (auto& row : r.history)
        permute(row);
}

} // namespace

int PositiveExponents(const SpectrumResult& result)
{
    constexpr double LEAST_POSITIVE = 0.005;
    constexpr double STANDARD_ERRORS = 3.0;
    int count = 0;
    for (std::size_t k = 0; k < result.exponents.size(); ++k)
        count += result.exponents[k] > std::max(LEAST_POSITIVE, STANDARD_ERRORS * result.errors[k]);
    return count;
}

SpectrumResult MeasureSpectrum(const OrbitSystem& system, const SpectrumSettings& settings,
                               const SpectrumProgress& progress)
{
    SpectrumResult result;
    const TangentSystem tangent = SelectTangentSystem(system.kind, system.dimension, system.order);
    if (!system.valid || !tangent.step)
        return result;
    if (settings.steps < 1) {
        result.status = SpectrumStatus::NoSteps;
        return result;
    }
    result.ode = system.kind == KIND_ODE;
    const int n = tangent.dimension;
    const int steps = settings.steps;
    const int qrInterval = result.ode ? ODE_QR_INTERVAL : 1;
    const int blocks = std::clamp(settings.blocks, 1, steps);
    const int blockLength = steps / blocks;
    // The running estimates at steps spaced evenly in log(steps), where a plot shows them settle.
    const double historyRatio =
        std::pow(static_cast<double>(steps) / FIRST_HISTORY_STEP, 1.0 / std::max(1, settings.historySamples));
    double nextHistory = FIRST_HISTORY_STEP;
    const int sampleInterval = std::max(1, steps / std::max(1, settings.samplePoints));
    const float* a = system.coefficients.data();
    const int pointsCount = system.pointsCount;

    // The orbit runs in double (see Jacobian.h): a single-precision one cycles.
    WidePoint p = Widen(system.start);
    TangentMatrix j;
    // One step of the orbit, leaving the Jacobian at its start in j; false when it left every bound.
    auto stepOrbit = [&](int index) {
        WidePoint next;
        tangent.step(a, pointsCount, p, next, j, index);
        p = next;
        return std::all_of(p.begin(), p.end(), [](double x) { return std::isfinite(x); });
    };
    int i = 0;
    for (; i < settings.transient; ++i) {
        if (!stepOrbit(i)) {
            result.status = SpectrumStatus::Diverged;
            return result;
        }
    }

    TangentMatrix v{};
    for (int k = 0; k < n; ++k)
        v[k][k] = 1.0;
    LogProduct stretch[MAX_TANGENTS];
    LogProduct volume;
    double traceSum = 0.0;
    std::vector<std::vector<double>> blockSums(static_cast<std::size_t>(n));
    std::vector<double> closed(static_cast<std::size_t>(n), 0.0); // logs of the finished blocks
    std::vector<int> blockLengths;
    int blockStart = 0;
    result.sampleCoordinates = n;

    for (int s = 0; s < steps; ++s, ++i) {
        if ((s & (PROGRESS_INTERVAL - 1)) == 0 && progress && !progress(static_cast<double>(s) / steps)) {
            result.status = SpectrumStatus::Stopped;
            return result;
        }
        if (!stepOrbit(i)) {
            result.status = SpectrumStatus::Diverged;
            return result;
        }
        volume.Multiply(AbsDeterminant(j, n));
        double trace = 0.0;
        for (int k = 0; k < n; ++k)
            trace += j[k][k];
        traceSum += trace - n;
        Advance(j, v, n);
        if (s % sampleInterval == 0)
            result.sample.push_back(Narrow(p));

        const int done = s + 1;
        // The last block takes the steps that do not divide evenly.
        const bool blockEnd = done == steps || (done - blockStart == blockLength &&
                                                static_cast<int>(blockLengths.size()) + 1 < blocks);
        const bool historyPoint = done >= nextHistory || done == steps;
        if (done % qrInterval == 0 || blockEnd || historyPoint)
            Orthonormalise(v, n, stretch);
        if (blockEnd) {
            for (int k = 0; k < n; ++k) {
                const double logs = stretch[k].Take();
                blockSums[static_cast<std::size_t>(k)].push_back(logs);
                closed[static_cast<std::size_t>(k)] += logs;
            }
            blockLengths.push_back(done - blockStart);
            blockStart = done;
        }
        if (historyPoint) {
            std::vector<double> estimate(static_cast<std::size_t>(n));
            for (int k = 0; k < n; ++k)
                estimate[static_cast<std::size_t>(k)] =
                    (closed[static_cast<std::size_t>(k)] + stretch[k].Log()) / done * NATS_TO_BITS;
            result.historySteps.push_back(done);
            nextHistory *= historyRatio;
            result.history.push_back(std::move(estimate));
        }
    }

    for (int k = 0; k < n; ++k) {
        const BlockStatistics b = OverBlocks(blockSums[static_cast<std::size_t>(k)], blockLengths);
        result.exponents.push_back(b.mean * NATS_TO_BITS);
        result.errors.push_back(b.error * NATS_TO_BITS);
    }
    SortLargestFirst(result);
    result.sum = std::accumulate(result.exponents.begin(), result.exponents.end(), 0.0);
    result.meanLogDet = volume.Log() / steps * NATS_TO_BITS;
    result.flowDivergence = traceSum / steps / ODE_STEP * NATS_TO_BITS;
    result.kaplanYorke = KaplanYorkeDimension(result.exponents);
    result.status = SpectrumStatus::Measured;
    return result;
}

} // namespace zephyra
