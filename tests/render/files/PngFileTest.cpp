#include "PngFile.h"
#include "Attractor.h"
#include "PictureRecord.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string_view>

#include <sys/resource.h>

namespace zephyra {
namespace {

// The most memory this process has held so far, in bytes.
std::uint64_t PeakMemory()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<std::uint64_t>(usage.ru_maxrss) * 1024;
}

std::uint32_t Crc32(std::string_view bytes)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<std::uint8_t>(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutBigEndian(std::string& bytes, std::size_t at, std::uint32_t value)
{
    for (int k = 0; k < 4; ++k)
        bytes[at + static_cast<std::size_t>(k)] = static_cast<char>(value >> (24 - 8 * k));
}

struct PngFileFixture : ::testing::Test {
    std::filesystem::path dir = zephyra::testing::TestFolder("png");
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

// Unmended, width=-1 reached the point renderer as an empty picture, and a text refused halfway
// had already changed the settings its reader then used as the defaults.
TEST(PictureSettingsText, SizesOfNoPixelsAreRefusedAndARefusedTextChangesNothing)
{
    for (const char* text : {"renderer=points width=-1 height=600", "renderer=density width=640 height=0",
                             "width=640 tone=none"}) {
        PictureSettings s;
        EXPECT_FALSE(ReadSettingsText(text, s)) << text;
        EXPECT_EQ(SettingsText(s), SettingsText(PictureSettings{})) << text;
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

// Unmended, an iTXt length of 2^31 - 1 in a file of a few hundred bytes was allocated (2 GB) before
// the read failed, and a header of 30000 x 30000 pixels allocated its rows.
TEST_F(PngFileFixture, LengthsTheFileCannotHoldAreNotAllocated)
{
    const AttractorRef a = Attractor::CreateFromCode("EWM?MPMMWMMMM", AttractorDefaults{});
    const std::string good = EncodePng(Picture(4, 3, 8), PictureTexts(*a, PictureSettings{}));
    const std::size_t itxt = good.find("iTXt");
    ASSERT_NE(itxt, std::string::npos);
    std::string longText = good.substr(0, itxt + 64);
    PutBigEndian(longText, itxt - 4, 0x7FFFFFFFu);
    // IHDR's width and height, with its check sum mended.
    std::string wide = good;
    const std::size_t ihdr = wide.find("IHDR");
    PutBigEndian(wide, ihdr + 4, 30000);
    PutBigEndian(wide, ihdr + 8, 30000);
    PutBigEndian(wide, ihdr + 17, Crc32(std::string_view(wide).substr(ihdr, 17)));

    const std::uint64_t peak = PeakMemory();
    const auto longPath = dir / "long-text.png", widePath = dir / "wide.png";
    std::ofstream(longPath, std::ios::binary) << longText;
    std::ofstream(widePath, std::ios::binary) << wide;
    EXPECT_FALSE(ReadPng(longPath, true));
    EXPECT_FALSE(ReadPictureRecord(longPath, AttractorDefaults{}));
    EXPECT_FALSE(ReadPng(widePath, true));
    EXPECT_TRUE(ReadPictureRecord(widePath, AttractorDefaults{})) << "its texts are whole";
    EXPECT_LT(PeakMemory() - peak, std::uint64_t{256} << 20);
}

} // namespace
} // namespace zephyra
