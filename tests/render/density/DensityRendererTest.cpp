#include "DensityRenderer.h"
#include "Camera.h"
#include "ColorMaps.h"
#include "DensityCanvas.h"
#include "DensitySceneOf.h"
#include "ExactOrbit.h"
#include "FreeRunKernel.h"
#include "OrbitFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace zephyra {
namespace {

DensityScene Henon()
{
    DensityScene scene;
    scene.code = testing::HENON_CODE;
    scene.camera.yaw = 10.0f;
    return scene;
}

DensityOptions Small()
{
    DensityOptions o;
    o.width = 96;
    o.height = 64;
    o.points = 300000;
    o.threads = 2;
    return o;
}

Picture Render(const DensityScene& scene, const DensityOptions& options)
{
    DensityResult result;
    std::optional<Picture> picture = RenderDensityPicture(scene, options, {}, {}, result);
    EXPECT_EQ(result.outcome, DensityResult::Outcome::Finished) << result.error;
    return picture ? std::move(*picture) : Picture();
}

bool SameBytes(const Picture& a, const Picture& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height() || a.Depth() != b.Depth())
        return false;
    for (int y = 0; y < a.Height(); ++y)
        if (!std::equal(a.Row(y), a.Row(y) + a.RowBytes(), b.Row(y)))
            return false;
    return true;
}

TEST(DensityRenderer, StripsSeedsAndThreadsGiveTheSameBytes)
{
    const DensityScene scene = Henon();
    const DensityOptions o = Small();
    const Picture whole = Render(scene, o);
    DensityOptions strips = o;
    strips.memoryLimit = 20000; // a few picture rows a strip
    EXPECT_TRUE(SameBytes(Render(scene, strips), whole));
    strips.palette = Palette::Magma;
    strips.tone = ToneMap::EqualizedHistogram;
    DensityOptions magma = strips;
    magma.memoryLimit = DensityOptions{}.memoryLimit;
    EXPECT_TRUE(SameBytes(Render(scene, strips), Render(scene, magma)));

    DensityOptions again = o;
    again.threads = 1;
    EXPECT_TRUE(SameBytes(Render(scene, again), whole));
    again.seed = 2;
    EXPECT_FALSE(SameBytes(Render(scene, again), whole));

    // Points enough for a canvas a worker: the canvases are summed, counted and resolved by parts
    // of the picture, and the bands of the resolve reach the caller in order.
    DensityOptions many = o;
    many.points = 16'000'000;
    many.tone = ToneMap::EqualizedHistogram;
    many.threads = 3;
    DensityOptions one = many;
    one.threads = 1;
    EXPECT_TRUE(SameBytes(Render(scene, many), Render(scene, one)));
}

double Luminance(const Picture& p, int x, int y)
{
    return 0.2126 * p.Sample(x, y, 0) + 0.7152 * p.Sample(x, y, 1) + 0.0722 * p.Sample(x, y, 2);
}

TEST(DensityRenderer, APaletteSitsOnItsLowEndOrFadesIntoAChosenBackground)
{
    DensityScene scene = Henon();
    scene.display.bgColor = Rgb{1, 1, 1}; // the attractor's own: white
    DensityOptions o = Small();
    o.palette = Palette::Magma;
    const Picture own = Render(scene, o);
    const Rgb zero = PaletteColor(Palette::Magma, 0.0f);
    for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(own.Sample(0, 0, c), zero[static_cast<std::size_t>(c)], 0.5 / 255) << c;

    // On a chosen white the faintest cells are pale, not the palette's dark low end (magma is
    // darkest at 0 and lighter than 0.5 luminance from 0.6 up). A pixel is a cell.
    o.background = Rgb{1, 1, 1};
    o.supersample = 1;
    const Picture white = Render(scene, o);
    std::vector<double> lit;
    for (int y = 0; y < white.Height(); ++y)
        for (int x = 0; x < white.Width(); ++x)
            if (const double l = Luminance(white, x, y); l < 1.0 - 1.0 / 255)
                lit.push_back(l);
    ASSERT_GT(lit.size(), 200u);
    EXPECT_GT(*std::min_element(lit.begin(), lit.end()), 0.4);
}

TEST(DensityRenderer, AFittedPictureLeavesABorderAllRound)
{
    DensityScene scene = Henon();
    scene.camera.zoom = 0.9f; // close enough that the curve leaves the picture
    DensityOptions o = Small();
    o.width = 120;
    o.height = 80;
    o.palette = Palette::Gray; // on its own black
    // The lit rows and columns, and whether any lit pixel lies on the edge.
    const auto extent = [&](const Picture& p, int& columns, int& rows) {
        int x0 = p.Width(), x1 = -1, y0 = p.Height(), y1 = -1;
        for (int y = 0; y < p.Height(); ++y)
            for (int x = 0; x < p.Width(); ++x)
                if (p.Sample(x, y, 0) > 0.0) {
                    x0 = std::min(x0, x);
                    x1 = std::max(x1, x);
                    y0 = std::min(y0, y);
                    y1 = std::max(y1, y);
                }
        columns = x1 - x0 + 1;
        rows = y1 - y0 + 1;
        return x0 == 0 || y0 == 0 || x1 == p.Width() - 1 || y1 == p.Height() - 1;
    };
    int columns = 0, rows = 0;
    ASSERT_TRUE(extent(Render(scene, o), columns, rows));
    o.fit = true;
    EXPECT_FALSE(extent(Render(scene, o), columns, rows));
    // About 90 % of the limiting side.
    EXPECT_GE(std::max(columns / 120.0, rows / 80.0), 0.85);
    EXPECT_LE(std::max(columns / 120.0, rows / 80.0), 0.95);
}

TEST(DensityRenderer, AFourDimensionalPictureIsReadableOnItsBackground)
{
    // The attractor's own colours: grey by w, on white.
    const AttractorDefaults defaults;
    const AttractorRef a =
        Attractor::CreateFromCode("MRJEDTGUHGKLETDEPUBBVCKDMQGGARMPUEJKFKIJLIQEQKFXBNDHNVNEEPTJT", defaults);
    ASSERT_TRUE(a->valid);
    const DensityScene scene = DensitySceneOf(*a, {}, defaults);
    DensityOptions o = Small();
    o.fit = true;
    o.smooth = 0.0f; // the colours alone: smoothing adds a faint haze round the edges
    const Picture p = Render(scene, o);
    const auto luminance = [&](int x, int y) {
        return 0.2126 * p.Sample(x, y, 0) + 0.7152 * p.Sample(x, y, 1) + 0.0722 * p.Sample(x, y, 2);
    };
    const double background = 0.2126 * scene.display.bgColor[0] + 0.7152 * scene.display.bgColor[1] +
                              0.0722 * scene.display.bgColor[2];
    std::vector<double> away;
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x)
            if (const double d = std::fabs(luminance(x, y) - background); d > 1.0 / 255.0)
                away.push_back(d);
    ASSERT_GT(away.size(), 200u);
    std::nth_element(away.begin(), away.begin() + static_cast<std::ptrdiff_t>(away.size() / 2), away.end());
    EXPECT_GE(away[away.size() / 2], 0.3);
}

TEST(DensityRenderer, TheShadeOnlyDarkensAndLeavesFlatAttractorsAlone)
{
    const AttractorDefaults defaults;
    const AttractorRef a = Attractor::CreateFromCode("IHMHJWVYQWVGPHXKMEXYSPECYTMPVVA", defaults);
    ASSERT_TRUE(a->valid);
    const DensityScene scene = DensitySceneOf(*a, {}, defaults);
    DensityOptions o = Small();
    o.fit = true;
    o.palette = Palette::Gray; // lighter where denser, on black
    const Picture flat = Render(scene, o);
    o.shade = true;
    const Picture shaded = Render(scene, o);
    int darker = 0;
    for (int y = 0; y < flat.Height(); ++y)
        for (int x = 0; x < flat.Width(); ++x) {
            EXPECT_LE(shaded.Sample(x, y, 0), flat.Sample(x, y, 0)) << x << ',' << y;
            darker += shaded.Sample(x, y, 0) < flat.Sample(x, y, 0);
        }
    EXPECT_GT(darker, 20);

    // Strips and threads give the same shaded bytes: each strip draws the rows its shade reads.
    DensityOptions strips = o;
    strips.memoryLimit = 40000;
    strips.threads = 1;
    EXPECT_TRUE(SameBytes(Render(scene, strips), shaded));

    // A flat attractor has no depth to shade.
    DensityOptions henon = Small();
    const Picture plain = Render(Henon(), henon);
    henon.shade = true;
    EXPECT_TRUE(SameBytes(Render(Henon(), henon), plain));
}

TEST(DensityRenderer, DivergingLaneRestartsOnTheAttractor)
{
    OrbitSource source;
    ASSERT_EQ(ComputeOrbitSource(Henon(), 1, {}, source).outcome, DensityResult::Outcome::Finished);
    OrbitLanes lanes(source, 7, 100);
    lanes.p[0][3] = 1e30f;
    lanes.p[1][5] = std::nanf("");
    std::vector<std::uint32_t> counts(64 * 64, 0);
    CanvasProjection pr{};
    pr.width = pr.height = pr.rows = 64;
    for (int k = 0; k < 4; ++k)
        pr.normScale[k] = 1.0f;
    SelectLaneKernel(source, false)(lanes, source, pr, 1, {counts.data()});
    EXPECT_EQ(lanes.restarts, 2u);
    for (const int lane : {3, 5})
        for (int k = 0; k < 2; ++k) {
            const float n = (lanes.p[k][lane] - source.centre[k]) * source.scale[k];
            EXPECT_LE(std::fabs(n), 1.0f) << lane;
        }
}

TEST(DensityRenderer, CellsPastTheCountLimitKeepExactSums)
{
    OrbitSource source;
    ASSERT_EQ(ComputeOrbitSource(Henon(), 1, {}, source).outcome, DensityResult::Outcome::Finished);
    // Every point lands in the one cell with colour (255, 100, 3).
    CanvasProjection pr{};
    pr.width = pr.height = pr.rows = 1;
    pr.clipOffset[2] = 1.0f;
    pr.centreX = pr.centreY = 0.5f;
    const float color[3] = {255.0f, 100.0f, 3.0f};
    std::copy(color, color + 3, pr.colorOffset);
    // Worker 0 fills its cell once and more, worker 1 nearly: their sum crosses the limit again.
    const int steps[2] = {CELL_COUNT_LIMIT / ORBIT_LANES + 5, CELL_COUNT_LIMIT / ORBIT_LANES - 3};
    const std::uint64_t hits = std::uint64_t{ORBIT_LANES} * static_cast<std::uint64_t>(steps[0] + steps[1]);
    DensityCanvas canvas;
    ASSERT_TRUE(canvas.Allocate(1, 1, 2, true, false, hits));
    for (int w = 0; w < 2; ++w) {
        OrbitLanes lanes(source, 7, 100);
        SelectLaneKernel(source, true)(lanes, source, pr, steps[w], canvas.Worker(w));
    }
    canvas.Merge(2);
    const CanvasCells sum = canvas.Sum();
    const ColorCell& cell = sum.Cell(0);
    std::uint64_t total[4] = {cell.count, cell.red, cell.green, cell.blue};
    for (const WideCell& w : *sum.wide) {
        total[0] += w.count;
        for (int k = 0; k < 3; ++k)
            total[k + 1] += w.sums[k];
    }
    EXPECT_EQ(total[0], hits);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(total[k + 1], hits * static_cast<std::uint64_t>(color[k]));
}

TEST(DensityRenderer, RefusesBadInputAndStopsWhenAsked)
{
    bool drawn = false;
    const auto sink = [&](const Picture&, int) { drawn = true; };
    DensityScene bad = Henon();
    bad.code = "EWM";
    EXPECT_EQ(RenderDensity(bad, Small(), {}, {}, sink).outcome, DensityResult::Outcome::Failed);
    DensityOptions huge = Small();
    huge.width = 65536;
    EXPECT_EQ(RenderDensity(Henon(), huge, {}, {}, sink).outcome, DensityResult::Outcome::Failed);
    std::stop_source stop;
    stop.request_stop();
    EXPECT_EQ(RenderDensity(Henon(), Small(), stop.get_token(), {}, sink).outcome,
              DensityResult::Outcome::Cancelled);
    EXPECT_FALSE(drawn);
}

// An attractor between the letters: its free-running lanes step the exact values in double, not
// the letters' values nor the values rounded to float (which the exact orbit under them runs).
TEST(DensityRenderer, FreeRunningLanesRunTheExactValuesInDouble)
{
    const AttractorDefaults defaults;
    AttractorRef a = Attractor::CreateFromCode(testing::HENON_CODE, defaults);
    std::vector<double> values = a->CoefficientValues();
    values[3] = -1.37;
    values[5] = 0.3125;
    a->SetExactCoefficients(values);
    OrbitSource source;
    ASSERT_EQ(ComputeOrbitSource(DensitySceneOf(*a, {}, defaults), 1, {}, source).outcome,
              DensityResult::Outcome::Finished);
    EXPECT_EQ(source.coefficients, values);

    CanvasProjection pr{};
    pr.width = pr.height = pr.rows = 1;
    std::uint32_t counts[1]{};
    OrbitLanes lanes(source, 3, 1);
    const double x0 = lanes.p[0][0], y0 = lanes.p[1][0];
    constexpr int STEPS = 20;
    SelectLaneKernel(source, false)(lanes, source, pr, STEPS, {counts});
    ASSERT_EQ(lanes.restarts, 0u);

    // Case E written out in double: x' and y' each on 1, x, x^2, xy, y, y^2.
    const auto straight = [&](const std::vector<double>& c) {
        double x = x0, y = y0;
        for (int i = 0; i < STEPS; ++i) {
            const double terms[6] = {1.0, x, x * x, x * y, y, y * y};
            double nx = 0.0, ny = 0.0;
            for (int t = 0; t < 6; ++t) {
                nx += c[static_cast<std::size_t>(1 + t)] * terms[t];
                ny += c[static_cast<std::size_t>(7 + t)] * terms[t];
            }
            x = nx;
            y = ny;
        }
        return std::pair{x, y};
    };
    const auto [x, y] = straight(values);
    EXPECT_NEAR(lanes.p[0][0], x, 1e-9);
    EXPECT_NEAR(lanes.p[1][0], y, 1e-9);
    std::vector<double> rounded = values;
    rounded[3] = static_cast<double>(static_cast<float>(values[3]));
    const auto [xf, yf] = straight(rounded);
    EXPECT_GT(std::fabs(lanes.p[0][0] - xf) + std::fabs(lanes.p[1][0] - yf), 1e-7);
    const auto [xl, yl] =
        straight(Attractor::CreateFromCode(testing::HENON_CODE, defaults)->CoefficientValues());
    EXPECT_GT(std::fabs(lanes.p[0][0] - xl) + std::fabs(lanes.p[1][0] - yl), 1e-3);
}

} // namespace
} // namespace zephyra
