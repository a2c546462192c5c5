#include "SoftwareRenderer.h"
#include "Attractor.h"
#include "OrbitFixture.h"

#include <gtest/gtest.h>

namespace zephyra {
namespace {

using testing::FillConstant;

struct RendererFixture : ::testing::Test {
    AttractorDefaults defaults;
    AttractorRef attractor = Attractor::CreateEmpty(defaults);
    PointBuffer buffer;

    void SetUp() override
    {
        attractor->dimension = 2;
        attractor->display.bgColor = {0.0f, 0.0f, 0.0f};
        attractor->display.fgColor = {1.0f, 1.0f, 1.0f};
    }
    Picture Render(int width, int height, ViewFlags flags = {})
    {
        Picture image(width, height);
        PrintPoints(*attractor, buffer, flags, defaults, image, {0, 0, width, height});
        return image;
    }
    static int Lit(const Picture& image, const std::uint8_t background[3])
    {
        int lit = 0;
        for (int y = 0; y < image.Height(); ++y)
            for (int x = 0; x < image.Width(); ++x)
                lit += !std::equal(background, background + 3, image.Pixel(x, y));
        return lit;
    }
};

const std::uint8_t BLACK[3] = {0, 0, 0};
const std::uint8_t WHITE[3] = {255, 255, 255};

TEST_F(RendererFixture, OriginLandsInTheCentreWithHalfTheForeground)
{
    FillConstant(buffer, *attractor, 101, {0, 0, 0, 0});
    const Picture image = Render(100, 60);
    EXPECT_EQ(Lit(image, BLACK), 1);
    const std::uint8_t* p = image.Pixel(50, 30);
    EXPECT_EQ(p[0], 127); // trunc(0.5 x 255)
    EXPECT_EQ(p[1], 127);
    EXPECT_EQ(p[2], 127);
}

TEST_F(RendererFixture, PointOnTheRightFaceLandsWhereTheFrustumSays)
{
    // x = 1 at distance 2.5 with fov 60: ndc x = cot 30 / 2.5 / aspect.
    FillConstant(buffer, *attractor, 101, {1, 0, 0, 0});
    const Picture image = Render(101, 101);
    const std::uint8_t* p = image.Pixel(85, 50); // trunc(0.69282 x 50.5 + 50.5)
    EXPECT_EQ(p[0], 255);
    EXPECT_EQ(p[1], 127);
    EXPECT_EQ(Lit(image, BLACK), 1);
}

TEST_F(RendererFixture, FirstHundredPointsAreNeverDrawn)
{
    FillConstant(buffer, *attractor, 100, {0, 0, 0, 0});
    EXPECT_EQ(Lit(Render(50, 50), BLACK), 0);
    FillConstant(buffer, *attractor, 200, {0, 0, 0, 0});
    buffer.points[150] = {0.5f, 0.5f, 0, 0};
    for (int i = 0; i < 100; ++i)
        buffer.points[i] = {-0.5f, -0.5f, 0, 0};
    const Picture image = Render(50, 50);
    EXPECT_EQ(Lit(image, BLACK), 2);
}

TEST_F(RendererFixture, BlackAndWhiteGivesBlackPointsOnWhite)
{
    attractor->display.bgColor = {0.1f, 0.5f, 0.2f};
    FillConstant(buffer, *attractor, 101, {0.3f, 0.3f, 0.3f, 0.3f});
    ViewFlags flags;
    flags.blackWhite = true;
    flags.defaultColors = true;
    const Picture image = Render(40, 40, flags);
    EXPECT_EQ(Lit(image, WHITE), 1);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const std::uint8_t* p = image.Pixel(x, y);
            EXPECT_TRUE((p[0] == 0 && p[1] == 0 && p[2] == 0) || (p[0] == 255 && p[1] == 255 && p[2] == 255));
        }
}

TEST_F(RendererFixture, ColourChoicesOneAndWAndTheForegroundScale)
{
    attractor->display.colorR = COLOR_ONE;
    attractor->display.colorG = COORD_W;
    attractor->display.colorB = COORD_W;
    attractor->display.fgColor = {0.5f, 1.0f, 0.5f};
    FillConstant(buffer, *attractor, 101, {0, 0, 0, 0.5f});
    const Picture image = Render(20, 20);
    const std::uint8_t* p = image.Pixel(10, 10);
    EXPECT_EQ(p[0], 127); // trunc(1 x 127.5)
    EXPECT_EQ(p[1], 191); // trunc(0.75 x 255)
    EXPECT_EQ(p[2], 95);  // trunc(0.75 x 127.5)
}

TEST_F(RendererFixture, BufferNotReadyOrPointAtTheEyeDrawsOnlyTheBackground)
{
    FillConstant(buffer, *attractor, 200, {0, 0, 0, 0});
    buffer.ready = false;
    EXPECT_EQ(Lit(Render(30, 30), BLACK), 0);
    buffer.ready = true;
    attractor->zoom = 0.5f;
    FillConstant(buffer, *attractor, 101, {0.1f, 0, 0.5f, 0}); // eye-space z = 0: clip w = 0
    EXPECT_EQ(Lit(Render(30, 30), BLACK), 0);
}

TEST_F(RendererFixture, DrawsIntoItsRectangleOnly)
{
    attractor->display.bgColor = {1, 1, 1};
    FillConstant(buffer, *attractor, 101, {0, 0, 0, 0});
    Picture image(100, 100);
    PrintPoints(*attractor, buffer, {}, defaults, image, {60, 10, 100, 30});
    EXPECT_EQ(image.Pixel(59, 20)[0], 0);
    EXPECT_EQ(image.Pixel(60, 10)[0], 255);
    EXPECT_EQ(image.Pixel(99, 29)[0], 255);
    EXPECT_EQ(image.Pixel(99, 30)[0], 0);
    EXPECT_EQ(image.Pixel(80, 20)[0], 127); // the origin at the rectangle's centre
}

TEST(PrintFitting, WideWindowOnAnUprightPageFillsTheWidthAndHalfAsMuchHeight)
{
    const PixelRect fitted = FitToWindow({50, 80, 1050, 1480}, 399, 199); // 400 x 200 with the extra pixel
    EXPECT_EQ(fitted.left, 50);
    EXPECT_EQ(fitted.top, 80);
    EXPECT_EQ(fitted.right, 1050);
    EXPECT_EQ(fitted.bottom, 580);
    const PixelRect tall = FitToWindow({0, 0, 1000, 1000}, 99, 399);
    EXPECT_EQ(tall.bottom, 1000);
    EXPECT_EQ(tall.right, 250);
}

TEST(PrintFitting, PictureStaysWithinItsMemoryBound)
{
    const std::size_t limit = 256u << 20;
    EXPECT_EQ(ImageScaleWithin(4000, 3000, limit), 1.0);
    const double s = ImageScaleWithin(14000, 9900, limit);
    EXPECT_LT(s, 1.0);
    EXPECT_LE(3.0 * (14000 * s) * (9900 * s), static_cast<double>(limit));
    EXPECT_GT(3.0 * (14000 * s) * (9900 * s), 0.99 * static_cast<double>(limit));
}

} // namespace
} // namespace zephyra
