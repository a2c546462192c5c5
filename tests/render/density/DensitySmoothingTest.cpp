#include "DensitySmoothing.h"
#include "DensityRenderer.h"
#include "PixelCorrelation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace zephyra {
namespace {

using testing::Correlation;

// A canvas without colours at S = 1: one count a pixel.
struct PlainCanvas {
    int width, rows;
    std::vector<std::uint32_t> counts;
    std::vector<WideCell> wide;

    PlainCanvas(int w, int h) : width(w), rows(h), counts(static_cast<std::size_t>(w * h), 0) {}
    std::uint32_t& At(int x, int y) { return counts[static_cast<std::size_t>(y * width + x)]; }
    [[nodiscard]] CanvasCells Cells() { return {counts.data(), 0, 1, &wide}; }
};

float DensityAt(const SmoothedCells& s, int width, int x, int y)
{
    return s.density[static_cast<std::size_t>(y * width + x)];
}

TEST(DensitySmoothing, AKernelShrinksWithItsCountAndKeepsEveryHit)
{
    PlainCanvas canvas(40, 30);
    canvas.At(10, 10) = 1; // radius 3 cells
    canvas.At(30, 10) = 4; // radius 1.5: its eight neighbours
    canvas.At(30, 22) = 9; // radius 1: stays in its cell
    SmoothedCells out;
    ASSERT_TRUE(SmoothCells(canvas.Cells(), canvas.width, canvas.rows, 0, 3.0f, 1, out));

    const auto sum = [&](int x0, int y0, int x1, int y1) {
        double s = 0.0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                s += DensityAt(out, canvas.width, x, y);
        return s;
    };
    EXPECT_NEAR(sum(0, 0, 19, 29), 1.0, 1e-5);
    // 1 - d^2 / 9 within the radius, nothing beyond, the same in every direction.
    const float centre = DensityAt(out, canvas.width, 10, 10);
    EXPECT_NEAR(DensityAt(out, canvas.width, 12, 10) / centre, 1.0 - 4.0 / 9.0, 1e-5);
    EXPECT_NEAR(DensityAt(out, canvas.width, 8, 12) / centre, 1.0 - 8.0 / 9.0, 1e-5);
    EXPECT_EQ(DensityAt(out, canvas.width, 12, 12), DensityAt(out, canvas.width, 8, 8));
    EXPECT_EQ(DensityAt(out, canvas.width, 13, 10), 0.0f);
    EXPECT_EQ(DensityAt(out, canvas.width, 10, 7), 0.0f);

    EXPECT_NEAR(sum(28, 8, 32, 12), 4.0, 1e-5);
    EXPECT_NEAR(DensityAt(out, canvas.width, 31, 10) / DensityAt(out, canvas.width, 30, 10), 1.0 - 1.0 / 2.25,
                1e-5);
    EXPECT_EQ(DensityAt(out, canvas.width, 32, 10), 0.0f);
    EXPECT_EQ(DensityAt(out, canvas.width, 30, 22), 9.0f);
    EXPECT_EQ(sum(29, 21, 31, 23), 9.0);
}

TEST(DensitySmoothing, WorkersAndStripsLeaveEveryBitAlone)
{
    // Counts from 0 to 12 with a few dense cells, over more rows than one band of the work holds.
    PlainCanvas canvas(50, 300);
    std::uint64_t z = 7;
    for (std::uint32_t& c : canvas.counts) {
        z = z * 6364136223846793005ull + 1442695040888963407ull;
        c = (z >> 60) < 9 ? static_cast<std::uint32_t>(z >> 61) : static_cast<std::uint32_t>(z >> 54);
    }
    constexpr float RADIUS = 4.0f;
    SmoothedCells one, three;
    ASSERT_TRUE(SmoothCells(canvas.Cells(), canvas.width, canvas.rows, 0, RADIUS, 1, one));
    ASSERT_TRUE(SmoothCells(canvas.Cells(), canvas.width, canvas.rows, 0, RADIUS, 3, three));
    EXPECT_TRUE(
        std::equal(one.density.begin(), one.density.end(), three.density.begin(), three.density.end()));

    // A strip of rows 100 to 199 drawn with the rows the kernels reach from outside it.
    const int top = 100 - SmoothingReach(RADIUS), end = 200 + SmoothingReach(RADIUS);
    PlainCanvas strip(canvas.width, end - top);
    std::copy(canvas.counts.begin() + top * canvas.width, canvas.counts.begin() + end * canvas.width,
              strip.counts.begin());
    SmoothedCells part;
    ASSERT_TRUE(SmoothCells(strip.Cells(), strip.width, strip.rows, top, RADIUS, 2, part));
    for (int y = 100; y < 200; ++y)
        for (int x = 0; x < canvas.width; ++x)
            ASSERT_EQ(DensityAt(part, strip.width, x, y - top), DensityAt(one, canvas.width, x, y))
                << x << ' ' << y;
}

TEST(DensitySmoothing, AHitCarriesItsColourWhereItSpreads)
{
    // S = 2, coordinate colours: one red hit (pixel 1, 1) and, two pixels to its right, a blue one.
    constexpr int WIDTH = 8, ROWS = 4, S = 2, STRIDE = 4 + S * S;
    std::vector<std::uint32_t> words(static_cast<std::size_t>(WIDTH * ROWS * STRIDE), 0);
    std::vector<WideCell> wide;
    const CanvasCells cells{words.data(), 4, S, &wide};
    cells.Cell(9) = {1, 255, 0, 0};
    cells.Counts(9)[3] = 1;
    cells.Cell(11) = {1, 0, 0, 255};
    cells.Counts(11)[0] = 1;
    SmoothedCells out;
    ASSERT_TRUE(SmoothCells(cells, WIDTH, ROWS, 0, 1.5f, 1, out)); // 3 cells: a pixel and a half
    const auto color = [&](std::size_t pixel) {
        const float* c = &out.colors[4 * pixel];
        return std::vector<float>{c[1] / c[0], c[2] / c[0], c[3] / c[0]};
    };
    EXPECT_EQ(color(8), (std::vector<float>{1, 0, 0})); // nothing hit it: the red hit's colour
    EXPECT_GT(out.colors[4 * 10], 0.0f);                // between the two: a mix
    EXPECT_GT(color(10)[0], 0.0f);
    EXPECT_GT(color(10)[2], 0.0f);
    EXPECT_EQ(out.colors[4 * 7], 0.0f); // out of reach
}

// A picture an eighth of 1920 x 1080 each way, so that its points a pixel are those of a full
// picture of 64 times as many.
std::vector<double> Samples(const DensityScene& scene, std::uint64_t fullPoints, float smooth,
                            std::uint64_t seed)
{
    DensityOptions o;
    o.width = 240;
    o.height = 135;
    o.points = fullPoints / 64;
    o.smooth = smooth;
    o.palette = Palette::Gray;
    o.depth = 16;
    o.threads = 2;
    o.seed = seed;
    DensityResult result;
    const std::optional<Picture> picture = RenderDensityPicture(scene, o, {}, {}, result);
    EXPECT_TRUE(picture) << result.error;
    std::vector<double> samples;
    for (int y = 0; picture && y < o.height; ++y)
        for (int x = 0; x < o.width; ++x)
            samples.push_back(picture->Sample(x, y, 0));
    return samples;
}

// The samples of `a` where `reference` lies in its densest tenth.
std::vector<double> DensestTenth(const std::vector<double>& reference, const std::vector<double>& a)
{
    std::vector<double> sorted = reference;
    std::sort(sorted.begin(), sorted.end());
    const double least = sorted[sorted.size() * 9 / 10];
    std::vector<double> kept;
    for (std::size_t i = 0; i < reference.size(); ++i)
        if (reference[i] >= least)
            kept.push_back(a[i]);
    return kept;
}

TEST(DensitySmoothing, ASmoothedPictureIsNearerTheOneOfAThousandTimesThePoints)
{
    // A space-filling map whose sparse folds are grain at a million points.
    DensityScene scene;
    scene.code = "EGETDPSRTGBNL";
    const std::vector<double> truth = Samples(scene, 1'000'000'000, 0.0f, 2);
    const std::vector<double> plain = Samples(scene, 1'000'000, 0.0f, 1),
                              smoothed = Samples(scene, 1'000'000, DensityOptions{}.smooth, 1);
    EXPECT_GT(Correlation(smoothed, truth), Correlation(plain, truth) + 0.03);
    const std::vector<double> densest = DensestTenth(truth, truth);
    EXPECT_GE(Correlation(DensestTenth(truth, smoothed), densest),
              Correlation(DensestTenth(truth, plain), densest));
}

} // namespace
} // namespace zephyra
