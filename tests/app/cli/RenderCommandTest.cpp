#include "StoredPngReader.h"
#include "Subcommand.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

using namespace zephyra::cli;

namespace {

struct RenderFixture : ::testing::Test {
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "zephyra-render-test";
    std::string err;

    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }

    int Render(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), "render");
        std::ostringstream out, errors;
        CommandIo io{out, errors};
        const int code = RunCommandLine(arguments, io);
        err = errors.str();
        return code;
    }
    // Pixels that are not white, and the size read back from the file.
    int DarkPixels(const std::string& path, int& width, int& height) const
    {
        std::ifstream in(path, std::ios::binary);
        const std::vector<std::uint8_t> png{std::istreambuf_iterator<char>(in), {}};
        const std::vector<std::uint8_t> raw = zephyra::testing::StoredRows(png, width, height);
        int dark = 0;
        const std::size_t row = static_cast<std::size_t>(width) * 3 + 1;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const std::uint8_t* p =
                    &raw[static_cast<std::size_t>(y) * row + 1 + static_cast<std::size_t>(x) * 3];
                dark += p[0] < 128 && p[1] < 128 && p[2] < 128;
            }
        return dark;
    }
};

TEST_F(RenderFixture, DrawsTheStartupAttractorInBlackAndWhite)
{
    const std::string path = (dir / "henon.png").string();
    ASSERT_EQ(Render({"EWM?MPMMWMMMM", "-o", path, "--size", "160x120", "--bw", "--seed", "1"}), EXIT_OK)
        << err;
    int width = 0, height = 0;
    const int dark = DarkPixels(path, width, height);
    EXPECT_EQ(width, 160);
    EXPECT_EQ(height, 120);
    EXPECT_GT(dark, 200);
    // A nearer eye spreads the same points over more of the picture.
    ASSERT_EQ(Render({"EWM?MPMMWMMMM", "-o", path, "--size", "160x120", "--bw", "--zoom", "1.5"}), EXIT_OK);
    EXPECT_GT(DarkPixels(path, width, height), dark);
}

TEST_F(RenderFixture, RefusesBadInputAndKeepsTheOldPicture)
{
    const std::string path = (dir / "kept.png").string();
    ASSERT_EQ(Render({"EWM?MPMMWMMMM", "-o", path, "--size", "40x30"}), EXIT_OK) << err;
    const auto size = std::filesystem::file_size(path);
    EXPECT_EQ(Render({"EWM?MPMMWMMMM", "-o", path, "--size", "0x30"}), EXIT_USAGE);
    EXPECT_EQ(Render({"EWM?MPMMWMMMM", "-o", path, "--size", "40"}), EXIT_USAGE);
    EXPECT_EQ(Render({"EWM?MPMMWMMMM", "-o", path, "--size", "20000x20000"}), EXIT_USAGE);
    EXPECT_EQ(Render({"EWM?MPMMWMMMM", "-o", path, "--yaw", "nan"}), EXIT_USAGE);
    EXPECT_EQ(Render({"EWM?MPMMWMMMM"}), EXIT_USAGE);
    EXPECT_EQ(Render({"EWM", "-o", path}), EXIT_FAILED);
    EXPECT_EQ(std::filesystem::file_size(path), size);
    EXPECT_EQ(Render({"EWM?MPMMWMMMM", "-o", (dir / "missing" / "x.png").string()}), EXIT_FAILED);
    EXPECT_NE(err.find("cannot write"), std::string::npos);
}

} // namespace
