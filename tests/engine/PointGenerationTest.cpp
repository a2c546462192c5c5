#include "PointGeneration.h"
#include "Attractor.h"
#include "CgroupMemory.h"
#include "ChaosMeasures.h"
#include "PointMemory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>

#include <unistd.h>

using namespace zephyra;

namespace {

const AttractorDefaults defaults;

TEST(NormalizePoints, MapsEachAxisOntoMinusOneToOne)
{
    Point points[3] = {{-3, 10, 5, 0}, {1, 20, 5, 0}, {-1, 15, 5, 0}};
    NormalizePoints(points, 3, Point{-3, 10, 5, 0}, Point{1, 20, 5, 0});
    EXPECT_EQ(points[0], (Point{-1, -1, 0, 0}));
    EXPECT_EQ(points[1], (Point{1, 1, 0, 0}));
    EXPECT_EQ(points[2], (Point{0, 0, 0, 0}));
}

TEST(NormalizePoints, ConstantAxisMovesToZero)
{
    Point points[2] = {{7, -2, 0, 0}, {7, -2, 0, 0}};
    NormalizePoints(points, 2, Point{7, -2, 0, 0}, Point{7, -2, 0, 0});
    for (const Point& p : points)
        EXPECT_EQ(p, (Point{0, 0, 0, 0}));
}

// x' = -x, y' = -y from (0.5, 0.5): the orbit alternates between the corners (1, 1) and (-1, -1).
AttractorRef Alternating()
{
    AttractorRef a = Attractor::CreateFromCode("EMCMMMMMMMMCM", defaults);
    a->display.x0 = a->display.y0 = 0.5f;
    return a;
}

int Pixel(int col, int row)
{
    return 3 * (col + THUMBNAIL_SIZE * row);
}

TEST(Thumbnail, CornersLandOnTheirPixels)
{
    AttractorRef a = Alternating();
    UpdateThumbnail(*a);
    // 450 hits each: far more than the 17 that make a pixel black.
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(a->thumbnail[Pixel(31, 0) + c], 0) << "(1, 1): column 31, row 0";
        EXPECT_EQ(a->thumbnail[Pixel(0, 31) + c], 0) << "(-1, -1): column 0, row 31";
    }
    int dark = 0;
    for (std::uint8_t byte : a->thumbnail)
        dark += byte != 255;
    EXPECT_EQ(dark, 6);
}

TEST(Thumbnail, InvalidAttractorKeepsItsPicture)
{
    AttractorRef a = Attractor::CreateFromCode("EMM", defaults);
    a->thumbnail.fill(7);
    UpdateThumbnail(*a);
    for (std::uint8_t byte : a->thumbnail)
        ASSERT_EQ(byte, 7);
}

TEST(Thumbnail, DivergingOrbitStaysInsideThePicture)
{
    // x' = 1.3 + 1.3 x^2 overflows to infinity: every pixel index comes from a non-finite value.
    AttractorRef a = Attractor::CreateFromCode("EZMZMMMMMMMMM", defaults);
    UpdateThumbnail(*a);
    EXPECT_EQ(a->thumbnail[0], 0); // non-finite coordinates give pixel (0, 0)
}

std::uint64_t Plenty()
{
    return 1ull << 40;
}
std::uint64_t Little()
{
    return 1000;
}
std::uint64_t Unknown()
{
    return 0;
}

TEST(ResizePoints, RefusesWhatMemoryCannotHold)
{
    PointBuffer buffer;
    ASSERT_TRUE(ResizePoints(buffer, 1000, Plenty));
    EXPECT_EQ(buffer.count, 1000);
    EXPECT_NE(buffer.points, nullptr);

    EXPECT_FALSE(ResizePoints(buffer, 100, Little)); // 1600 bytes > 1000
    EXPECT_EQ(buffer.count, 0);
    EXPECT_EQ(buffer.points, nullptr);

    EXPECT_FALSE(ResizePoints(buffer, -1, Plenty));
    EXPECT_EQ(buffer.count, 0);

    // The largest count: 16 x (2^31 - 1) bytes, computed without overflow and refused.
    EXPECT_FALSE(ResizePoints(buffer, std::numeric_limits<std::int32_t>::max(), Little));

    EXPECT_TRUE(ResizePoints(buffer, 0, Little));
    EXPECT_EQ(buffer.count, 0);
    EXPECT_TRUE(ResizePoints(buffer, 10, Unknown)); // nothing known: the allocation decides
    EXPECT_EQ(buffer.count, 10);

    // The view's copies count too: 20 points take 320 bytes, 1280 with three copies.
    EXPECT_TRUE(ResizePoints(buffer, 20, Little));
    EXPECT_FALSE(ResizePoints(buffer, 20, Little, 3));
}

// Unmended, only MemAvailable counted, and a 4 GB cgroup killed a 100-million-point run silently.
TEST(ResizePoints, TheTightestMemoryCgroupLimitCounts)
{
    const std::filesystem::path mount =
        std::filesystem::temp_directory_path() / ("zephyra-cgroup-" + std::to_string(getpid()));
    auto write = [&](const std::filesystem::path& file, const std::string& text) {
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file) << text;
    };
    write(mount / "user" / "memory.max", "5000\n");
    write(mount / "user" / "memory.current", "1000\n");
    write(mount / "user" / "app" / "memory.max", "max\n");
    write(mount / "memory" / "box" / "memory.limit_in_bytes", "3000\n");
    write(mount / "memory" / "box" / "memory.usage_in_bytes", "2500\n");
    write(mount / "memory" / "memory.limit_in_bytes", "9223372036854771712\n");

    EXPECT_EQ(CgroupAvailableMemory(mount, "0::/user/app\n"), 4000u);
    EXPECT_EQ(CgroupAvailableMemory(mount, "5:cpu:/\n4:memory:/box\n0::/\n"), 500u);
    // A path outside the container's view: the root's limit (none here) is what there is.
    EXPECT_EQ(CgroupAvailableMemory(mount, "4:memory:/elsewhere/x\n"), std::nullopt);
    EXPECT_EQ(CgroupAvailableMemory(mount, ""), std::nullopt);
    std::filesystem::remove_all(mount);
}

TEST(ChaosMeasures, TestsOfTheNewPoint)
{
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_TRUE(IsFinitePoint({1, 2, 3, 4}));
    EXPECT_FALSE(IsFinitePoint({1, 2, 3, inf}));
    EXPECT_FALSE(IsFinitePoint({std::nanf(""), 0, 0, 0}));

    EXPECT_TRUE(HasStalled({1, 1, 1, 1}, {1, 1, 1, 1.0000001f}));
    EXPECT_FALSE(HasStalled({0, 0, 0, 0}, {0.0000006f, 0, 0, 0.0000006f}));
}

TEST(ChaosMeasures, PartnerIsAnEarlierPoint)
{
    for (int i : {5001, 65536, 999999, std::numeric_limits<std::int32_t>::max()}) {
        EXPECT_LT(CorrelationDimension::PartnerIndex(32767, i), i);
        EXPECT_EQ(CorrelationDimension::PartnerIndex(0, i), 0);
    }
    EXPECT_EQ(CorrelationDimension::PartnerIndex(16384, 10000), 5000);
}

TEST(ChaosMeasures, ShadowIsPulledBackAlongTheSeparation)
{
    LyapunovEstimate estimate;
    float lyapunov = -1;
    const Point p{1, 0, 0, 0};
    Point q{1.001f, 0, 0, 0};
    estimate.Update(p, q, 2, lyapunov);
    EXPECT_NEAR(q[0] - p[0], 1 / std::sqrt(1e9), 1e-7);
    EXPECT_EQ(q[1], 0.0f);
    // ln R with R = (0.001)^2 x 1e9, in bits, averaged over i = 2.
    EXPECT_NEAR(lyapunov, std::log(double(1.001f - 1.0f) * double(1.001f - 1.0f) * 1e9) * 0.72134752 / 2,
                1e-3);

    // R = 0: nothing added, and the shadow goes on from the renormalised distance along x.
    Point same = p;
    const float before = lyapunov;
    estimate.Update(p, same, 3, lyapunov);
    EXPECT_EQ(lyapunov, before);
    EXPECT_NEAR(same[0] - p[0], 1 / std::sqrt(1e9), 1e-7);
    EXPECT_EQ(same[1], p[1]);
    // The z of a special map, x^2 + y^2 of the last input, stays out of the separation.
    LyapunovEstimate special(true);
    Point r{1.001f, 0, 5, 0};
    special.Update(p, r, 2, lyapunov);
    EXPECT_NEAR(r[0] - p[0], 1 / std::sqrt(1e9), 1e-7);
    EXPECT_EQ(r[2], p[2]);
}

// Unmended, single-precision sums stopped adding after 2^24 steps: the Henon map measured l = 0.330
// at 100 million points.
TEST(ChaosMeasures, LongRunsKeepAdding)
{
    constexpr int STEPS = 20000000;
    LyapunovEstimate estimate;
    float lyapunov = 0;
    const Point p{0, 0, 0, 0};
    const float offset = static_cast<float>(std::sqrt(std::exp(1.0) / 1e9)); // ln R = 1 at every step
    for (int i = 0; i < STEPS; ++i) {
        Point q{offset, 0, 0, 0};
        estimate.Update(p, q, i, lyapunov);
    }
    EXPECT_NEAR(lyapunov, LyapunovEstimate::BITS_FACTOR, 1e-5);

    CorrelationDimension dimension;
    dimension.Setup({0, 0, 0, 0}, {1, 0, 0, 0}, 1); // radii 0.001 and 0.00001 (squared)
    float fractalDim = 0;
    for (int i = 0; i < STEPS; ++i)
        dimension.Sample({0.01f, 0, 0, 0}, p, fractalDim); // within the larger radius only
    dimension.Sample(p, p, fractalDim);
    EXPECT_NEAR(fractalDim, std::log10((STEPS + 1.0) / 1.5), 1e-5);
}

} // namespace
