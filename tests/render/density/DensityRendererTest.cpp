#include "DensityRenderer.h"
#include "Camera.h"
#include "DensityCanvas.h"
#include "ExactOrbit.h"
#include "FreeRunKernel.h"
#include "OrbitFixture.h"

#include <gtest/gtest.h>

#include <cmath>
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

double Correlation(const std::vector<double>& a, const std::vector<double>& b)
{
    const double n = static_cast<double>(a.size());
    double sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        sa += a[i];
        sb += b[i];
        saa += a[i] * a[i];
        sbb += b[i] * b[i];
        sab += a[i] * b[i];
    }
    return (sab - sa * sb / n) / std::sqrt((saa - sa * sa / n) * (sbb - sb * sb / n));
}

TEST(DensityRenderer, DensityAgreesWithTheExactOrbit)
{
    const DensityScene scene = Henon();
    DensityOptions o = Small();
    o.width = 160;
    o.height = 90;
    o.points = 4000000;
    o.tone = ToneMap::Linear;
    o.palette = Palette::Gray;
    o.depth = 16;
    o.background = Rgb{0, 0, 0};
    const Picture picture = Render(scene, o);

    // The exact orbit's points, projected as the view projects them, counted per 10 x 10 block.
    AttractorRef a = Attractor::CreateFromCode(scene.code, AttractorDefaults{});
    a->yaw = scene.camera.yaw;
    PointBuffer buffer;
    testing::FillOrbit(buffer, *a, 1000000);
    const Matrix4 m = SceneMatrix(*a, 160.0f / 90.0f);
    constexpr int BLOCK = 10;
    std::vector<double> exact(16 * 9, 0.0), free(16 * 9, 0.0);
    for (int i = 100; i < buffer.count; ++i) {
        const Point& p = buffer.points[i];
        const Vector4 v = Transform(m, {p[0], p[1], p[2], 1});
        const int x = static_cast<int>(v[0] / v[3] * 80.0f + 80.0f),
                  y = static_cast<int>(45.0f - v[1] / v[3] * 45.0f);
        if (x >= 0 && x < 160 && y >= 0 && y < 90)
            exact[static_cast<std::size_t>(y / BLOCK * 16 + x / BLOCK)] += 1;
    }
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 160; ++x)
            free[static_cast<std::size_t>(y / BLOCK * 16 + x / BLOCK)] += picture.Sample(x, y, 0);
    EXPECT_GT(Correlation(exact, free), 0.95);
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
    SelectLaneKernel(source, false)(lanes, source, pr, 1, {counts.data(), nullptr});
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
    ASSERT_TRUE(canvas.Allocate(1, 2, true, hits));
    for (int w = 0; w < 2; ++w) {
        OrbitLanes lanes(source, 7, 100);
        SelectLaneKernel(source, true)(lanes, source, pr, steps[w], canvas.Worker(w));
    }
    canvas.Merge();
    const CanvasCells sum = canvas.Sum();
    std::uint64_t total[4] = {sum.cells[0].count, sum.cells[0].red, sum.cells[0].green, sum.cells[0].blue};
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

} // namespace
} // namespace zephyra
