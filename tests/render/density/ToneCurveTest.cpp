#include "ToneCurve.h"
#include "ColorMaps.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zephyra {
namespace {

// Five pixels: one unlit, two with one hit, one with 3, one with 9.
DensityHistogram KnownHistogram()
{
    DensityHistogram h;
    for (const std::uint64_t count : {0, 1, 1, 3, 9})
        h.Add(count);
    return h;
}

TEST(ToneCurve, EachToneMapGivesItsBrightnessOnAKnownHistogram)
{
    struct Row {
        ToneMap tone;
        float gamma;
        double one, three, nine; // brightness of counts 1, 3 and 9
    };
    const Row rows[] = {
        {ToneMap::Log, 2.2f, std::log(2.0) / std::log(10.0), std::log(4.0) / std::log(10.0), 1.0},
        {ToneMap::Linear, 2.2f, 1.0 / 9.0, 3.0 / 9.0, 1.0},
        {ToneMap::Gamma, 2.0f, 1.0 / 3.0, std::sqrt(1.0 / 3.0), 1.0},
        {ToneMap::Gamma, 0.5f, 1.0 / 81.0, 1.0 / 9.0, 1.0},
        // Of the four lit pixels, two are at or below 1, three at or below 3.
        {ToneMap::EqualizedHistogram, 2.2f, 0.5, 0.75, 1.0},
    };
    const DensityHistogram histogram = KnownHistogram();
    for (const Row& r : rows) {
        const ToneCurve curve(r.tone, r.gamma, histogram);
        SCOPED_TRACE(std::string(NameOf(r.tone)) + " gamma " + std::to_string(r.gamma));
        EXPECT_EQ(curve.Brightness(0), 0.0f);
        EXPECT_NEAR(curve.Brightness(1), r.one, 1e-6);
        EXPECT_NEAR(curve.Brightness(3), r.three, 1e-6);
        EXPECT_NEAR(curve.Brightness(9), r.nine, 1e-6);
    }
}

TEST(ToneCurve, AnEmptyPictureIsDarkAndLargeCountsShareBuckets)
{
    const DensityHistogram empty;
    EXPECT_EQ(ToneCurve(ToneMap::Log, 2.2f, empty).Brightness(5), 0.0f);
    DensityHistogram h;
    for (const std::uint64_t count : {10000, 10001, 20000})
        h.Add(count);
    const ToneCurve equalized(ToneMap::EqualizedHistogram, 2.2f, h);
    EXPECT_NEAR(equalized.Brightness(10000), 2.0 / 3.0, 1e-6); // 10000 and 10001: one bucket
    EXPECT_NEAR(equalized.Brightness(10001), 2.0 / 3.0, 1e-6);
    EXPECT_NEAR(equalized.Brightness(20000), 1.0, 1e-6);
}

// The first, middle and last entries of the published tables.
TEST(Palettes, AnchorColoursAreThoseOfThePublishedTables)
{
    struct Row {
        Palette palette;
        Rgb first, middle, last;
    };
    const Row rows[] = {
        {Palette::Magma,
         {0.001462f, 0.000466f, 0.013866f},
         {0.716387f, 0.214982f, 0.47529f},
         {0.987053f, 0.991438f, 0.749504f}},
        {Palette::Inferno,
         {0.001462f, 0.000466f, 0.013866f},
         {0.735683f, 0.215906f, 0.330245f},
         {0.988362f, 0.998364f, 0.644924f}},
        {Palette::Viridis,
         {0.267004f, 0.004874f, 0.329415f},
         {0.127568f, 0.566949f, 0.550556f},
         {0.993248f, 0.906157f, 0.143936f}},
        {Palette::Cividis,
         {0.0f, 0.135112f, 0.304751f},
         {0.488697f, 0.485318f, 0.471008f},
         {0.995737f, 0.909344f, 0.217772f}},
        {Palette::Turbo,
         {0.18995f, 0.07176f, 0.23217f},
         {0.64362f, 0.98999f, 0.23356f},
         {0.4796f, 0.01583f, 0.01055f}},
        {Palette::Gray,
         {0.0f, 0.0f, 0.0f},
         {128.0f / 255.0f, 128.0f / 255.0f, 128.0f / 255.0f},
         {1.0f, 1.0f, 1.0f}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(NameOf(r.palette)));
        for (int c = 0; c < 3; ++c) {
            EXPECT_NEAR(PaletteColor(r.palette, 0.0f)[c], r.first[c], 1e-6);
            EXPECT_NEAR(PaletteColor(r.palette, 128.0f / 255.0f)[c], r.middle[c], 1e-5);
            EXPECT_NEAR(PaletteColor(r.palette, 1.0f)[c], r.last[c], 1e-6);
        }
    }
}

TEST(Palettes, BetweenEntriesColoursAreLinearAndOutsideTheRangeHeld)
{
    const Rgb a = PaletteColor(Palette::Viridis, 0.0f), b = PaletteColor(Palette::Viridis, 1.0f / 255.0f);
    const Rgb half = PaletteColor(Palette::Viridis, 0.5f / 255.0f);
    for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(half[c], (a[c] + b[c]) / 2.0f, 1e-6);
    EXPECT_EQ(PaletteColor(Palette::Magma, -1.0f), PaletteColor(Palette::Magma, 0.0f));
    EXPECT_EQ(PaletteColor(Palette::Magma, 7.0f), PaletteColor(Palette::Magma, 1.0f));
    EXPECT_EQ(PaletteColor(Palette::Magma, std::nanf("")), PaletteColor(Palette::Magma, 0.0f));
}

} // namespace
} // namespace zephyra
