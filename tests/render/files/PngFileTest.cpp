#include "PngFile.h"
#include "Attractor.h"
#include "PictureRecord.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace zephyra {
namespace {

struct PngFileFixture : ::testing::Test {
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "zephyra-png-test";
    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }
};

TEST_F(PngFileFixture, PicturesOfBothDepthsReadBackWithTheirRecord)
{
    const AttractorRef a = Attractor::CreateFromCode("EWM?MPMMWMMMM", AttractorDefaults{});
    a->yaw = 12.5f;
    a->display.bgColor = {0.0f, 0.25f, 1.0f};
    PictureSettings settings;
    settings.density = true;
    settings.options.tone = ToneMap::Gamma;
    settings.options.palette = Palette::Viridis;
    settings.options.background = Rgb{1.0f, 0.0f, 0.5f};
    settings.options.points = 123456789012ull;
    settings.options.fit = true;
    settings.blackWhite = true;
    for (const int depth : {8, 16}) {
        Picture picture(300, 170, depth);
        for (int y = 0; y < 170; ++y)
            for (int x = 0; x < 300; ++x)
                for (int c = 0; c < 3; ++c)
                    picture.SetSample(x, y, c,
                                      static_cast<float>((x * 7 + y * 13 + c * 101) % 1000) / 999.0f);
        const auto path = dir / ("p" + std::to_string(depth) + ".png");
        ASSERT_EQ(WritePngFile(path, EncodePng(picture, PictureTexts(*a, settings))), "");
        // Compressed: far smaller than the raw samples of this smooth picture.
        EXPECT_LT(std::filesystem::file_size(path), 300u * 170u * 3u * (depth / 8) / 2);
        const std::optional<DecodedPng> read = ReadPng(path, true);
        ASSERT_TRUE(read);
        ASSERT_EQ(read->picture.Depth(), depth);
        ASSERT_EQ(read->picture.Width(), 300);
        ASSERT_EQ(read->picture.Height(), 170);
        for (int y = 0; y < 170; y += 13)
            for (int x = 0; x < 300; x += 7)
                EXPECT_EQ(read->picture.Sample(x, y, 1), picture.Sample(x, y, 1)) << x << "," << y;

        const auto software = std::find_if(read->texts.begin(), read->texts.end(),
                                           [](const PngText& t) { return t.key == "Software"; });
        ASSERT_NE(software, read->texts.end());
        EXPECT_EQ(software->text.rfind("Zephyra Explorer ", 0), 0u) << software->text;

        const std::optional<StoredPicture> stored = ReadPictureRecord(path, AttractorDefaults{});
        ASSERT_TRUE(stored);
        EXPECT_EQ(stored->attractor->code, "EWM?MPMMWMMMM");
        EXPECT_EQ(stored->attractor->yaw, 12.5f);
        EXPECT_EQ(stored->attractor->display, a->display);
        PictureSettings back;
        ASSERT_TRUE(stored->settings && ReadSettingsText(*stored->settings, back));
        EXPECT_EQ(SettingsText(back), SettingsText(settings));
    }
}

TEST_F(PngFileFixture, FailedWritesKeepTheOldFileAndLeaveNothingElse)
{
    const auto path = dir / "kept.png";
    Picture picture(4, 3, 8);
    ASSERT_EQ(WritePngFile(path, EncodePng(picture, {})), "");
    const auto size = std::filesystem::file_size(path);
    EXPECT_NE(WritePngFile(dir / "missing" / "x.png", EncodePng(picture, {})), "");
    EXPECT_NE(WritePngFile(path, EncodePng(Picture(0, 0, 8), {})), ""); // an empty picture encodes to nothing
    EXPECT_EQ(std::filesystem::file_size(path), size);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
    EXPECT_FALSE(ReadPictureRecord(path, AttractorDefaults{})); // a picture without a record
    EXPECT_FALSE(ReadPng(dir / "nothing.png", false));
}

} // namespace
} // namespace zephyra
