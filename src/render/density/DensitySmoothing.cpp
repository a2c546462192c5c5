#include "DensitySmoothing.h"

#include "DensityCanvas.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>

namespace zephyra {

namespace {

// Canvas rows a band of the work takes at least: bands two apart never write the same cell, so
// the even bands run side by side, then the odd ones, and every cell adds its shares in the same
// order whatever the number of workers.
constexpr int LEAST_BAND_ROWS = 64;

bool AssignSmoothing(std::size_t pixels, int supersample, bool colors, SmoothedCells& out)
{
    return out.density.Assign(pixels * static_cast<std::size_t>(supersample * supersample)) &&
           out.colors.Assign(colors ? 4 * pixels : 0);
}

class Spreader {
public:
    Spreader(const CanvasCells& cells, int width, int rows, int top, float radius, SmoothedCells& out)
        : cells_(cells), width_(width), S_(cells.supersample), canvasWidth_(width * cells.supersample),
          canvasRows_(rows * cells.supersample), canvasTop_(top * cells.supersample),
          reach_(radius * static_cast<float>(cells.supersample)), out_(out)
    {
        const auto pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(rows);
        ok_ = (out_.prepared && out_.density.size() == pixels * static_cast<std::size_t>(S_ * S_) &&
               out_.colors.size() == (cells.colorWords ? 4 * pixels : 0)) ||
              AssignSmoothing(pixels, S_, cells.colorWords != 0, out_);
        out_.prepared = false;
        // Where each canvas row and column lands, worked out once rather than divided out per tap.
        columnOffset_.resize(static_cast<std::size_t>(canvasWidth_));
        columnPixel_.resize(static_cast<std::size_t>(canvasWidth_));
        for (int x = 0; x < canvasWidth_; ++x) {
            columnOffset_[static_cast<std::size_t>(x)] =
                static_cast<std::size_t>((x / S_) * S_ * S_ + x % S_);
            columnPixel_[static_cast<std::size_t>(x)] = static_cast<std::size_t>(x / S_);
        }
        rowOffset_.resize(static_cast<std::size_t>(canvasRows_));
        rowPixel_.resize(static_cast<std::size_t>(canvasRows_));
        for (int y = 0; y < canvasRows_; ++y) {
            rowPixel_[static_cast<std::size_t>(y)] =
                static_cast<std::size_t>(y / S_) * static_cast<std::size_t>(width_);
            rowOffset_[static_cast<std::size_t>(y)] =
                rowPixel_[static_cast<std::size_t>(y)] * static_cast<std::size_t>(S_ * S_) +
                static_cast<std::size_t>((y % S_) * S_);
        }
        // The counts whose kernel reaches past their own cell, and the sum of its weights.
        const auto spread = static_cast<std::size_t>(std::ceil(reach_ * reach_));
        inverseSums_.assign(spread + 1, 1.0f);
        for (std::size_t c = 1; c <= spread; ++c) {
            const float r = Radius(static_cast<std::uint32_t>(c));
            if (r <= 1.0f)
                continue;
            double sum = 0.0;
            const int m = static_cast<int>(std::ceil(r)) - 1;
            for (int dy = -m; dy <= m; ++dy)
                for (int dx = -m; dx <= m; ++dx)
                    sum += std::max(0.0f, Weight(dx * dx + dy * dy, r));
            inverseSums_[c] = static_cast<float>(1.0 / sum);
        }
        band_ = std::max(LEAST_BAND_ROWS, 2 * static_cast<int>(std::ceil(reach_)) + 2 * S_);
        band_ = (band_ + S_ - 1) / S_ * S_; // whole picture rows, so colour rows are not shared either
    }

    [[nodiscard]] bool Ready() const { return ok_; }

    // The bands that hold this canvas's rows, counted from the picture's top.
    [[nodiscard]] int FirstBand() const { return canvasTop_ / band_; }
    [[nodiscard]] int EndBand() const { return (canvasTop_ + canvasRows_ + band_ - 1) / band_; }

    // Spreads the cells of this canvas within band `band` of the picture.
    void SpreadBand(int band) const
    {
        const int top = std::max(0, band * band_ - canvasTop_),
                  end = std::min(canvasRows_, (band + 1) * band_ - canvasTop_);
        for (int py = top / S_; py < (end + S_ - 1) / S_; ++py)
            for (int px = 0; px < width_; ++px) {
                const auto pixel = static_cast<std::size_t>(py) * static_cast<std::size_t>(width_) +
                                   static_cast<std::size_t>(px);
                const std::uint32_t* counts = cells_.Counts(pixel);
                if (std::all_of(counts, counts + S_ * S_, [](std::uint32_t c) { return c == 0; }))
                    continue;
                float mean[3]{};
                if (cells_.colorWords) {
                    const ColorSums sums = PixelColorSums(cells_, pixel);
                    for (int k = 0; k < 3; ++k)
                        mean[k] = sums.count ? static_cast<float>(static_cast<double>(sums.sums[k]) /
                                                                  (255.0 * static_cast<double>(sums.count)))
                                             : 0.0f;
                }
                for (int k = 0; k < S_ * S_; ++k)
                    if (counts[k])
                        Spread(px * S_ + k % S_, py * S_ + k / S_, counts[k], mean);
            }
    }

private:
    [[nodiscard]] float Radius(std::uint32_t count) const
    {
        return reach_ / std::sqrt(static_cast<float>(count));
    }
    [[nodiscard]] static float Weight(int distance2, float radius)
    {
        return 1.0f - static_cast<float>(distance2) / (radius * radius);
    }

    void Add(int x, int y, float share, const float (&mean)[3]) const
    {
        const auto column = static_cast<std::size_t>(x), row = static_cast<std::size_t>(y);
        out_.density[rowOffset_[row] + columnOffset_[column]] += share;
        if (out_.colors.empty())
            return;
        float* color = &out_.colors[4 * (rowPixel_[row] + columnPixel_[column])];
        color[0] += share;
        for (int k = 0; k < 3; ++k)
            color[k + 1] += share * mean[k];
    }

    void Spread(int x, int y, std::uint32_t count, const float (&mean)[3]) const
    {
        const float r = count < inverseSums_.size() ? Radius(count) : 0.0f;
        const auto c = static_cast<float>(count);
        if (r <= 1.0f) {
            Add(x, y, c, mean);
            return;
        }
        const float scale = c * inverseSums_[count];
        const int m = static_cast<int>(std::ceil(r)) - 1;
        for (int dy = std::max(-m, -y); dy <= std::min(m, canvasRows_ - 1 - y); ++dy)
            for (int dx = std::max(-m, -x); dx <= std::min(m, canvasWidth_ - 1 - x); ++dx)
                if (const float w = Weight(dx * dx + dy * dy, r); w > 0.0f)
                    Add(x + dx, y + dy, scale * w, mean);
    }

    const CanvasCells& cells_;
    const int width_, S_, canvasWidth_, canvasRows_;
    const int canvasTop_; // the picture's canvas row of this canvas's first
    const float reach_;   // the largest radius, in canvas cells
    SmoothedCells& out_;
    std::vector<std::size_t> columnOffset_; // of a canvas column's density within its row of pixels
    std::vector<std::size_t> columnPixel_;  // the picture column of a canvas column
    std::vector<std::size_t> rowOffset_;    // of a canvas row's first density
    std::vector<std::size_t> rowPixel_;     // the first picture pixel of a canvas row's picture row
    std::vector<float> inverseSums_;
    int band_ = LEAST_BAND_ROWS;
    bool ok_ = false;
};

} // namespace

bool SmoothCells(const CanvasCells& cells, int width, int rows, int top, float radius, int workers,
                 SmoothedCells& out)
{
    const Spreader spreader(cells, width, rows, top, radius, out);
    if (!spreader.Ready())
        return false;
    const int first = spreader.FirstBand(), end = spreader.EndBand();
    for (int parity = 0; parity < 2; ++parity) {
        std::atomic<int> next{first + ((first & 1) != parity)};
        const auto work = [&] {
            for (int b = next.fetch_add(2); b < end; b = next.fetch_add(2))
                spreader.SpreadBand(b);
        };
        std::vector<std::jthread> threads;
        for (int w = 1; w < std::min(workers, (end - first + 1) / 2); ++w)
            threads.emplace_back(work);
        work();
    }
    return true;
}

bool PrepareSmoothing(std::size_t pixels, int supersample, bool colors, SmoothedCells& out)
{
    out.prepared = AssignSmoothing(pixels, supersample, colors, out);
    out.density.Touch();
    out.colors.Touch();
    return out.prepared;
}

int SmoothingReach(float radius)
{
    return static_cast<int>(std::ceil(radius));
}

std::size_t SmoothingPixelBytes(int supersample, bool colors)
{
    return static_cast<std::size_t>(supersample * supersample) * sizeof(float) +
           (colors ? 4 * sizeof(float) : 0);
}

} // namespace zephyra
