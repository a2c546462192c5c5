#include "AnimationBudget.h"
#include "PictureBudget.h"
#include "PointPictureBudget.h"

#include <gtest/gtest.h>

using namespace zephyra;

namespace {

constexpr std::uint64_t MIB = std::uint64_t{1} << 20;

DensityOptions Picture(int width, int height)
{
    DensityOptions o;
    o.width = width;
    o.height = height;
    o.threads = 2;
    return o;
}

// The cases that were killed in a 300 MiB memory cgroup: the density picture now renders in
// strips that fit beside its encoder, the others are refused before any work with one line.
TEST(MemoryBudget, WhatWasKilledInThreeHundredMiBIsStrippedOrRefused)
{
    const std::uint64_t available = 300 * MIB;
    DensityOptions uhd = Picture(7680, 4320);
    EXPECT_EQ(FitDensityPicture(uhd, available), "");
    const std::uint64_t encoded = 7680ULL * 4320 * 3 / 2; // the PNG's buffer, counted at half the pixels
    EXPECT_LE(uhd.memoryLimit + encoded, available);
    EXPECT_GT(uhd.memoryLimit, 100 * MIB) << "what is left goes to the canvases";

    const std::string points = PointPictureRefusal(9000, 9000, 16'000'000, available);
    EXPECT_EQ(points, "not enough memory for a 9000x9000 picture of 16000000 points: it needs at least "
                      "593 MiB, 300 MiB can be had");
    EXPECT_EQ(PointPictureRefusal(9000, 9000, 16'000'000, 600 * MIB), "");

    DensityOptions frames = Picture(4000, 4000);
    const std::string webp = FitAnimation(frames, 2, true, available);
    EXPECT_NE(webp.find("a WebP animation of 4000x4000: it needs at least "), std::string::npos) << webp;
    EXPECT_NE(webp.find("300 MiB can be had"), std::string::npos) << webp;
    EXPECT_EQ(webp.find('\n'), std::string::npos);
    // PNG frames are encoded one at a time and need no encoder canvases.
    EXPECT_EQ(FitAnimation(frames, 2, false, available), "");
}

TEST(MemoryBudget, TheCanvasLimitIsCutOnlyWhenMemoryIsShortAndUnknownMemoryRefusesNothing)
{
    for (const std::uint64_t plenty : {std::uint64_t{0}, 64 * 1024 * MIB}) {
        DensityOptions o = Picture(7680, 4320);
        EXPECT_EQ(FitDensityPicture(o, plenty), "");
        EXPECT_EQ(o.memoryLimit, DensityOptions{}.memoryLimit);
        EXPECT_EQ(FitAnimation(o, 120, true, plenty), "");
        EXPECT_EQ(o.memoryLimit, DensityOptions{}.memoryLimit);
        EXPECT_EQ(PointPictureRefusal(16384, 16384, 2'000'000'000, plenty), "");
    }
    // One strip of one row of a wide picture's canvases, for every worker, must fit.
    DensityOptions wide = Picture(16384, 100);
    wide.supersample = 4;
    wide.threads = 16;
    EXPECT_NE(FitDensityPicture(wide, 16 * MIB), "");
    wide.threads = 1;
    EXPECT_EQ(FitDensityPicture(wide, 16 * MIB), "");
    EXPECT_LE(wide.memoryLimit, 16 * MIB);
}

TEST(MemoryBudget, AnimationsCountEveryFrameInFlightAndDeepPictures)
{
    const auto need = [](int frames, int depth, bool webp) {
        DensityOptions o = Picture(1024, 1024);
        o.depth = depth;
        const std::string refusal = FitAnimation(o, frames, webp, 1);
        const std::size_t at = refusal.find("at least ");
        return std::stoull(refusal.substr(at + 9));
    };
    // Two workers on two threads hold up to four frames; one frame only itself.
    EXPECT_EQ(need(4, 8, false) - need(1, 8, false), 3 * 3); // 3 MiB a frame
    EXPECT_GT(need(2, 16, false), need(2, 8, false));
    EXPECT_GT(need(2, 8, true), need(2, 8, false));
}

} // namespace
