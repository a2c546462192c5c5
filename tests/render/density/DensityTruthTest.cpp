// The free-running orbits against the exact engine: the density they draw must be the density of
// the attractor, pixel by pixel, not the few cycles a rounded state falls into.
#include "CanvasProjection.h"
#include "DensityRenderer.h"
#include "ExactOrbit.h"
#include "FreeRunKernel.h"
#include "OrbitFixture.h"
#include "PixelCorrelation.h"
#include "PointGeneration.h"
#include "SceneStyle.h"
#include "WorkerServices.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <unordered_set>
#include <vector>

namespace zephyra {
namespace {

using testing::Correlation;

constexpr int WIDTH = 480;
constexpr int HEIGHT = 270;

// Counts point p (in the system's units) into its pixel, projected in double precision through
// the renderer's normalisation and camera.
void CountPoint(const CanvasProjection& pr, const double (&p)[4], std::vector<double>& counts)
{
    double n[4];
    for (int k = 0; k < 4; ++k)
        n[k] = p[k] * pr.normScale[k] + pr.normOffset[k];
    double clip[3];
    for (int r = 0; r < 3; ++r)
        clip[r] = pr.clip[r][0] * n[0] + pr.clip[r][1] * n[1] + pr.clip[r][2] * n[2] + pr.clip[r][3] * n[3] +
                  pr.clipOffset[r];
    if (clip[2] == 0.0)
        return;
    const double column = clip[0] / clip[2] * pr.halfWidth + pr.centreX;
    const double row = pr.centreY - clip[1] / clip[2] * pr.halfHeight;
    if (column >= 0.0 && column < WIDTH && row >= 0.0 && row < HEIGHT)
        counts[static_cast<std::size_t>(row) * WIDTH + static_cast<std::size_t>(column)] += 1.0;
}

// The exact engine's orbit of `points` points, counted per pixel through the renderer's own
// normalisation and camera.
std::vector<double> ExactHistogram(const DensityScene& scene, int points)
{
    OrbitSource source;
    EXPECT_EQ(ComputeOrbitSource(scene, 1, {}, source).outcome, DensityResult::Outcome::Finished);
    const CanvasProjection pr = ProjectionFor(scene, source, WIDTH, HEIGHT);

    AttractorRef attractor = Attractor::CreateFromCode(scene.code, AttractorDefaults{});
    attractor->pointsCount = points;
    PointBuffer buffer;
    AttractorRef current;
    RandomGenerator random(1);
    WorkerServices quiet(std::stop_token{});
    ComputeContext context{buffer, current, random, quiet, quiet};
    EXPECT_TRUE(ComputePoints(context, attractor, true, false, nullptr));

    std::vector<double> counts(static_cast<std::size_t>(WIDTH * HEIGHT), 0.0);
    for (int i = FIRST_DRAWN_POINT; i < buffer.count; ++i) {
        double p[4];
        for (int k = 0; k < 4; ++k)
            p[k] = double{buffer.points[i][k]} / buffer.scale[k] + buffer.centre[k];
        CountPoint(pr, p, counts);
    }
    return counts;
}

// The same histogram from a plain double-precision loop of a case E map (x' = a1 + a2 x + a3 x^2
// + a4 xy + a5 y + a6 y^2, y' likewise from a7): for the Henon map, whose exact orbit is itself
// a cycle of the float grid (31 509 steps), so its density can only be told in double.
std::vector<double> DoubleHistogram(const DensityScene& scene, int points)
{
    OrbitSource source;
    EXPECT_EQ(ComputeOrbitSource(scene, 1, {}, source).outcome, DensityResult::Outcome::Finished);
    const CanvasProjection pr = ProjectionFor(scene, source, WIDTH, HEIGHT);
    const std::vector<double> a(source.coefficients.begin(), source.coefficients.end());
    double x = source.starts[0][0], y = source.starts[0][1];
    std::vector<double> counts(static_cast<std::size_t>(WIDTH * HEIGHT), 0.0);
    for (int i = 0; i < points; ++i) {
        const double nx = a[1] + a[2] * x + a[3] * x * x + a[4] * x * y + a[5] * y + a[6] * y * y;
        const double ny = a[7] + a[8] * x + a[9] * x * x + a[10] * x * y + a[11] * y + a[12] * y * y;
        x = nx;
        y = ny;
        CountPoint(pr, {x, y, 0.0, 0.0}, counts);
    }
    return counts;
}

// A linear, grey, 16-bit picture without supersampling: its samples are proportional to the counts.
std::vector<double> RenderedDensity(const DensityScene& scene)
{
    DensityOptions o;
    o.width = WIDTH;
    o.height = HEIGHT;
    o.supersample = 1;
    o.points = 20'000'000;
    o.tone = ToneMap::Linear;
    o.palette = Palette::Gray; // on its own black
    o.depth = 16;
    o.smooth = 0.0f;
    DensityResult result;
    const std::optional<Picture> picture = RenderDensityPicture(scene, o, {}, {}, result);
    EXPECT_TRUE(picture) << result.error;
    std::vector<double> samples(static_cast<std::size_t>(WIDTH * HEIGHT), 0.0);
    if (picture)
        for (int y = 0; y < HEIGHT; ++y)
            for (int x = 0; x < WIDTH; ++x)
                samples[static_cast<std::size_t>(y * WIDTH + x)] = picture->Sample(x, y, 0);
    return samples;
}

TEST(DensityTruth, FreeRunningDensityIsTheAttractorsDensity)
{
    DensityScene scene;
    scene.code = testing::HENON_CODE; // a thin curve
    EXPECT_GE(Correlation(RenderedDensity(scene), DoubleHistogram(scene, 20'000'000)), 0.99);
    // A space-filling map and a 3D map, against the exact engine's orbit.
    for (const char* code : {"EGETDPSRTGBNL", "IKNCNFNTNFSMPADKBYMMOSKBMCWKFNQ"}) {
        scene.code = code;
        scene.camera.yaw = 20.0f; // the 3D map turned
        EXPECT_GE(Correlation(RenderedDensity(scene), ExactHistogram(scene, 20'000'000)), 0.99) << code;
    }
}

TEST(DensityTruth, SupersamplingAveragesTheFinerPicture)
{
    DensityScene scene;
    scene.code = testing::HENON_CODE;
    DensityOptions o;
    o.width = 120;
    o.height = 80;
    o.points = 2'000'000;
    o.palette = Palette::Gray;
    o.depth = 16;
    o.smooth = 0.0f;
    o.threads = 2;
    DensityResult result;
    const auto render = [&](int width, int height, int supersample) {
        DensityOptions options = o;
        options.width = width;
        options.height = height;
        options.supersample = supersample;
        std::optional<Picture> picture = RenderDensityPicture(scene, options, {}, {}, result);
        EXPECT_TRUE(picture) << result.error;
        return picture ? std::move(*picture) : Picture(width, height, 16);
    };
    const Picture two = render(o.width, o.height, 2), one = render(o.width, o.height, 1),
                  fine = render(2 * o.width, 2 * o.height, 1);
    std::vector<double> supersampled, averaged;
    int differing = 0;
    for (int y = 0; y < o.height; ++y)
        for (int x = 0; x < o.width; ++x) {
            supersampled.push_back(two.Sample(x, y, 0));
            averaged.push_back((fine.Sample(2 * x, 2 * y, 0) + fine.Sample(2 * x + 1, 2 * y, 0) +
                                fine.Sample(2 * x, 2 * y + 1, 0) + fine.Sample(2 * x + 1, 2 * y + 1, 0)) /
                               4.0);
            differing += two.Sample(x, y, 0) != one.Sample(x, y, 0);
        }
    EXPECT_GE(Correlation(supersampled, averaged), 0.99);
    // The curve's edges: S = 1 and S = 2 differ wherever it passes.
    EXPECT_GT(differing, o.width);
}

TEST(DensityTruth, AFreeRunningLaneNeverComesBackToAState)
{
    DensityScene scene;
    scene.code = testing::HENON_CODE;
    OrbitSource source;
    ASSERT_EQ(ComputeOrbitSource(scene, 1, {}, source).outcome, DensityResult::Outcome::Finished);
    // Nothing lands on this canvas: the kernel only steps the lanes.
    CanvasProjection pr{};
    pr.width = pr.height = pr.rows = 1;
    std::uint32_t counts[1]{};
    const LaneKernel kernel = SelectLaneKernel(source, false);
    OrbitLanes lanes(source, 3, 1);
    constexpr int STEPS = 1'000'000;
    std::unordered_set<std::uint64_t> states;
    states.reserve(STEPS);
    for (int s = 0; s < STEPS; ++s) {
        kernel(lanes, source, pr, 1, {counts});
        std::uint64_t x = 0, y = 0;
        std::memcpy(&x, &lanes.p[0][0], sizeof lanes.p[0][0]);
        std::memcpy(&y, &lanes.p[1][0], sizeof lanes.p[1][0]);
        states.insert(x * 0x9E3779B97F4A7C15ull ^ y);
    }
    EXPECT_EQ(lanes.restarts, 0u);
    EXPECT_EQ(states.size(), static_cast<std::size_t>(STEPS));
}

} // namespace
} // namespace zephyra
