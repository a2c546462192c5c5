#include "DepthShade.h"

#include "RowBands.h"

#include <algorithm>
#include <cmath>

namespace zephyra {

namespace {

// A depth no pixel has, marking one whose neighbourhood nothing hit.
constexpr float NO_DEPTH = -1.0f;

class Shader {
public:
    Shader(const CanvasCells& cells, int width, int rows) : cells_(cells), width_(width), rows_(rows) {}

    [[nodiscard]] bool Allocate(ZeroedFloats& shade)
    {
        const auto pixels = static_cast<std::size_t>(width_) * static_cast<std::size_t>(rows_);
        return hits_.Assign(pixels) && depths_.Assign(pixels) && mean_.Assign(pixels) && shade.Assign(pixels);
    }

    // Each pixel's hits and depth sum, in shares of the deepest depth.
    void Gather(int first, int end) const
    {
        const auto counts = static_cast<std::size_t>(cells_.supersample * cells_.supersample);
        for (std::size_t p = At(0, first); p < At(0, end); ++p) {
            const std::uint32_t* c = cells_.Counts(p);
            std::uint64_t hits = 0;
            for (std::size_t k = 0; k < counts; ++k)
                hits += c[k];
            hits_[p] = static_cast<float>(hits);
            depths_[p] = static_cast<float>(static_cast<double>(cells_.DepthSum(p)) / DEEPEST);
        }
    }

    // Each pixel's mean depth over the pixels around it, weighed by their hits.
    void Average(int first, int end) const
    {
        for (int y = first; y < end; ++y)
            for (int x = 0; x < width_; ++x) {
                double hits = 0.0, depth = 0.0;
                for (int dy = std::max(-1, -y); dy <= std::min(1, rows_ - 1 - y); ++dy)
                    for (int dx = std::max(-1, -x); dx <= std::min(1, width_ - 1 - x); ++dx) {
                        hits += hits_[At(x + dx, y + dy)];
                        depth += depths_[At(x + dx, y + dy)];
                    }
                mean_[At(x, y)] = hits > 0.0 ? static_cast<float>(depth / hits) : NO_DEPTH;
            }
    }

    // Each hit pixel's shade from how far it lies behind the pair of neighbours on either side
    // of it, along the rows, the columns and both diagonals. Against a pair, not one neighbour, so
    // that a sheet sloping away from the eye is not darkened, only the parts behind an edge or in
    // a crease; and the near side of an edge, whose mean depth lies between the pair's, not at all.
    // A pair with a side off the canvas or on nothing tells nothing.
    void Shade(int first, int end, const ZeroedFloats& shade) const
    {
        constexpr int AXES[4][2] = {{1, 0}, {0, 1}, {1, 1}, {1, -1}};
        for (int y = first; y < end; ++y)
            for (int x = 0; x < width_; ++x) {
                const std::size_t p = At(x, y);
                if (hits_[p] == 0.0f) {
                    shade[p] = 1.0f;
                    continue;
                }
                const float self = mean_[p];
                float behind = 0.0f;
                for (const int r : SHADE_RADII)
                    for (const auto& a : AXES) {
                        const float one = MeanAt(x + a[0] * r, y + a[1] * r);
                        const float other = MeanAt(x - a[0] * r, y - a[1] * r);
                        if (one != NO_DEPTH && other != NO_DEPTH)
                            behind += std::clamp(2.0f * self - one - other, 0.0f, SHADE_LARGEST_STEP);
                    }
                shade[p] = std::exp(-SHADE_STRENGTH * behind / static_cast<float>(std::size(SHADE_RADII)));
            }
    }

private:
    // The mean depth around x, y; NO_DEPTH off the canvas or where nothing was hit.
    [[nodiscard]] float MeanAt(int x, int y) const
    {
        return x < 0 || y < 0 || x >= width_ || y >= rows_ ? NO_DEPTH : mean_[At(x, y)];
    }

    [[nodiscard]] std::size_t At(int x, int y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
    }

    const CanvasCells& cells_;
    const int width_, rows_;
    ZeroedFloats hits_, depths_, mean_;
};

} // namespace

bool ShadeCells(const CanvasCells& cells, int width, int rows, int workers, ZeroedFloats& shade)
{
    Shader shader(cells, width, rows);
    if (!shader.Allocate(shade))
        return false;
    InRowBands(rows, workers, [&](int first, int end) { shader.Gather(first, end); });
    InRowBands(rows, workers, [&](int first, int end) { shader.Average(first, end); });
    InRowBands(rows, workers, [&](int first, int end) { shader.Shade(first, end, shade); });
    return true;
}

int ShadeReach()
{
    // The averaging's pixel and the widest radius.
    return 1 + *std::max_element(std::begin(SHADE_RADII), std::end(SHADE_RADII));
}

std::size_t ShadePixelBytes()
{
    return 4 * sizeof(float); // hits, depths, mean depths and shades
}

} // namespace zephyra
