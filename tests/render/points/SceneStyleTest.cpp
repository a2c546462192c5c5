#include "SceneStyle.h"
#include "Attractor.h"
#include "Jitter.h"

#include <gtest/gtest.h>

#include <numeric>

namespace zephyra {
namespace {

struct StyleFixture : ::testing::Test {
    AttractorDefaults defaults;
    AttractorRef attractor = Attractor::CreateEmpty(defaults);

    void SetUp() override
    {
        attractor->dimension = 2;
        attractor->display.bgColor = {0.2f, 0.3f, 0.4f};
        attractor->display.fgColor = {0.9f, 0.8f, 0.7f};
        defaults.defaults2D.bgColor = {0.0f, 0.0f, 0.1f};
        defaults.defaults3D.bgColor = {0.0f, 0.0f, 0.3f};
        defaults.defaults4D.bgColor = {0.0f, 0.0f, 0.4f};
    }
};

TEST_F(StyleFixture, AttractorColoursUnlessTheFlagsSayOtherwise)
{
    const SceneColors own = ChooseColors(*attractor, {}, defaults);
    EXPECT_EQ(own.background, attractor->display.bgColor);
    EXPECT_EQ(own.foreground, attractor->display.fgColor);
    EXPECT_FLOAT_EQ(own.box[0], 0.35f);
    EXPECT_FLOAT_EQ(own.box[2], 0.55f);
}

TEST_F(StyleFixture, BlackAndWhiteBeatsDefaultColours)
{
    ViewFlags flags;
    flags.blackWhite = flags.defaultColors = true;
    const SceneColors c = ChooseColors(*attractor, flags, defaults);
    EXPECT_EQ(c.background, (Rgb{1, 1, 1}));
    EXPECT_EQ(c.foreground, (Rgb{0, 0, 0}));
    EXPECT_FLOAT_EQ(c.box[0], 0.85f);
}

TEST_F(StyleFixture, DefaultColoursComeFromTheDimensionsBlock)
{
    ViewFlags flags;
    flags.defaultColors = true;
    for (const auto& [dimension, blue] : {std::pair{2, 0.1f}, {3, 0.3f}, {4, 0.4f}, {0, 0.1f}, {5, 0.1f}}) {
        attractor->dimension = dimension;
        EXPECT_FLOAT_EQ(ChooseColors(*attractor, flags, defaults).background[2], blue) << dimension;
    }
}

TEST_F(StyleFixture, HalfGreyBackgroundGetsALighterBox)
{
    attractor->display.bgColor = {0.5f, 0.5f, 0.5f};
    const SceneColors c = ChooseColors(*attractor, {}, defaults);
    for (float channel : c.box)
        EXPECT_FLOAT_EQ(channel, 0.65f);
}

TEST(AxisMapping, PicksCoordinatesAndZeroForChoiceFour)
{
    DisplaySettings d;
    d.coordX = 3;
    d.coordY = 0;
    d.coordZ = 4;
    const Vector4 p = AxisMapping(d).Apply({0.1f, 0.2f, 0.3f, 0.4f});
    EXPECT_EQ(p, (Vector4{0.4f, 0.1f, 0.0f, 1.0f}));
    d.coordZ = 17; // out of range reads as zero rather than past the point
    EXPECT_EQ(AxisMapping(d).Apply({0.1f, 0.2f, 0.3f, 0.4f})[2], 0.0f);
}

TEST(ColorMapping, MapsMinusOneToBlackAndOneToTheForeground)
{
    DisplaySettings d; // colours by x, y, z
    const Rgb fg{1.0f, 0.5f, 0.25f};
    const Vector4 low = ColorMapping(d, fg, false).Apply({-1, -1, -1, 0});
    const Vector4 high = ColorMapping(d, fg, false).Apply({1, 1, 1, 0});
    for (int c = 0; c < 3; ++c) {
        EXPECT_FLOAT_EQ(low[c], 0.0f);
        EXPECT_FLOAT_EQ(high[c], fg[c]);
    }
    EXPECT_EQ(high[3], 1.0f);
}

TEST(ColorMapping, ChoiceOneGivesTheForegroundAndWGivesAGreyScale)
{
    DisplaySettings d;
    d.colorR = d.colorG = d.colorB = COLOR_ONE;
    const Rgb fg{0.3f, 0.6f, 0.9f};
    const Vector4 one = ColorMapping(d, fg, false).Apply({0.7f, -0.2f, 0.1f, 0.5f});
    EXPECT_EQ((Rgb{one[0], one[1], one[2]}), fg);
    d.colorR = d.colorG = d.colorB = COORD_W;
    const Vector4 grey = ColorMapping(d, {1, 1, 1}, false).Apply({0.7f, -0.2f, 0.1f, 0.5f});
    EXPECT_FLOAT_EQ(grey[0], 0.75f);
    EXPECT_EQ(grey[0], grey[1]);
    EXPECT_EQ(grey[1], grey[2]);
}

TEST(ColorMapping, BlackAndWhiteIsBlackWhateverTheChoices)
{
    DisplaySettings d;
    d.colorR = COLOR_ONE;
    EXPECT_EQ(ColorMapping(d, {1, 1, 1}, true).Apply({1, 1, 1, 1}), (Vector4{0, 0, 0, 1}));
}

TEST(DrawnPoints, DegradationTakesTheFirstTenThousandButNeverMoreThanTheBuffer)
{
    EXPECT_EQ(DrawnPointEnd(1000000, 1000000, true, true), 10000);
    EXPECT_EQ(DrawnPointEnd(5000, 5000, true, true), 5000);
    EXPECT_EQ(DrawnPointEnd(1000000, 1000000, true, false), 1000000);
    EXPECT_EQ(DrawnPointEnd(1000000, 1000000, false, true), 1000000);
    EXPECT_EQ(DrawnPointEnd(50000, 20000, false, false), 20000); // buffer shorter than the count
    EXPECT_EQ(DrawnPointEnd(-5, 100, false, false), 0);
}

TEST(Jitter, FourSamplesForSettingZeroAndEightForAnyOther)
{
    EXPECT_EQ(JitterTable(0).size(), 4u);
    EXPECT_EQ(JitterWeight(0), 0.25f);
    EXPECT_EQ(JitterTable(0)[0].x, -0.208147f);
    EXPECT_EQ(JitterTable(0)[3].y, 0.149994f);
    for (int setting : {1, 7, -1}) {
        EXPECT_EQ(JitterTable(setting).size(), 8u) << setting;
        EXPECT_EQ(JitterWeight(setting), 0.125f);
        EXPECT_EQ(JitterTable(setting)[7].y, -0.054399f);
    }
    EXPECT_EQ(JitterWeight(0) * 4, 1.0f);
    EXPECT_EQ(JitterWeight(1) * 8, 1.0f);
}

} // namespace
} // namespace zephyra
