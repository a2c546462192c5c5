#include "DepthShade.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace zephyra {
namespace {

// A canvas with depth sums at S = 1: per pixel two words of depth sum, then one count.
struct DepthCanvas {
    int width, rows;
    std::vector<std::uint32_t> words;
    std::vector<WideCell> wide;

    DepthCanvas(int w, int h) : width(w), rows(h), words(static_cast<std::size_t>(w * h * 3), 0) {}
    [[nodiscard]] CanvasCells Cells() { return {words.data(), 0, 1, &wide, CanvasCells::DEPTH_WORDS}; }
    // `hits` hits at `depth` (a share of the deepest) on pixel x, y.
    void Hit(int x, int y, std::uint32_t hits, double depth)
    {
        const CanvasCells cells = Cells();
        const auto pixel = static_cast<std::size_t>(y * width + x);
        *cells.Counts(pixel) += hits;
        cells.AddDepth(pixel, hits * static_cast<std::uint64_t>(std::lround(depth * DEEPEST)));
    }
    [[nodiscard]] std::vector<float> Shade(int workers)
    {
        ZeroedFloats shade;
        EXPECT_TRUE(ShadeCells(Cells(), width, rows, workers, shade));
        return {shade.begin(), shade.end()};
    }
};

TEST(DepthShade, APlateBehindAnotherDarkensAlongItsEdgeOnly)
{
    // The left half of the picture is a plate at 0.2 of the depth, the right half one at 0.23.
    DepthCanvas canvas(16, 9);
    for (int y = 0; y < canvas.rows; ++y)
        for (int x = 0; x < canvas.width; ++x)
            canvas.Hit(x, y, 10, x < 8 ? 0.2 : 0.23);
    const std::vector<float> shade = canvas.Shade(1);
    const auto at = [&](int x, int y) { return shade[static_cast<std::size_t>(y * canvas.width + x)]; };
    for (int y = 0; y < canvas.rows; ++y) {
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(at(x, y), 1.0f) << x << ',' << y; // nothing lies in front of the near plate
        for (int x = 12; x < canvas.width; ++x)
            EXPECT_EQ(at(x, y), 1.0f) << x << ',' << y; // beyond every radius of the edge
    }
    // The mean depth around column 7 is (0.2 + 0.2 + 0.23) / 3 = 0.21, around 8 0.22, around 6 and
    // below 0.2, around 9 and above 0.23. Away from the top and bottom, on the rows and both
    // diagonals, column 9 lies 2 x 0.23 - 0.22 - 0.23 behind its pair at radius 1,
    // 2 x 0.23 - 0.2 - 0.23 behind the pair at radius 3, and level with those above and below.
    const float darkest = std::exp(-SHADE_STRENGTH * 3.0f * (0.01f + 0.03f) / 2.0f);
    EXPECT_NEAR(at(9, 4), darkest, 1e-4);
    // The shadow fades on either side.
    EXPECT_LT(at(9, 4), at(8, 4));
    EXPECT_LT(at(8, 4), 1.0f);
    EXPECT_LT(at(9, 4), at(10, 4));
    EXPECT_LT(at(10, 4), at(11, 4));
    EXPECT_LT(at(11, 4), 1.0f);
}

TEST(DepthShade, EmptyPixelsNeitherShadeNorAreShaded)
{
    DepthCanvas canvas(20, 20);
    canvas.Hit(10, 10, 1, 0.9); // a lone hit far behind
    canvas.Hit(14, 10, 5, 0.1); // and two in front, a pair at radius 3 from it, with nothing
    canvas.Hit(6, 10, 5, 0.1);  // beyond them
    const std::vector<float> shade = canvas.Shade(1);
    for (std::size_t p = 0; p < shade.size(); ++p) {
        if (p != 10 * 20 + 10) {
            EXPECT_EQ(shade[p], 1.0f) << p;
        }
    }
    // However far behind, the one pair darkens it by the largest step only.
    EXPECT_NEAR(shade[10 * 20 + 10], std::exp(-SHADE_STRENGTH * SHADE_LARGEST_STEP / 2.0f), 1e-6);
}

TEST(DepthShade, WorkersLeaveEveryBitAlone)
{
    DepthCanvas canvas(37, 29);
    for (int y = 0; y < canvas.rows; ++y)
        for (int x = 0; x < canvas.width; ++x)
            if ((x * 7 + y * 3) % 5 != 0)
                canvas.Hit(x, y, static_cast<std::uint32_t>(1 + (x * y) % 9),
                           ((x * 13 + y * 31) % 100) / 100.0);
    EXPECT_EQ(canvas.Shade(1), canvas.Shade(4));
}

} // namespace
} // namespace zephyra
