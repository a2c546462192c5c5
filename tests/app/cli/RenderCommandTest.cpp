#include "AttractorText.h"
#include "InterruptingBuffer.h"
#include "PictureRecord.h"
#include "PngFile.h"
#include "PngResolution.h"
#include "Subcommand.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <utility>
#include <vector>

#include <sys/stat.h>

using namespace zephyra::cli;
using zephyra::testing::InterruptingBuffer;

namespace {

struct RenderFixture : ::testing::Test {
    std::filesystem::path dir = zephyra::testing::TestFolder("render");
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
        const std::optional<zephyra::DecodedPng> png = zephyra::ReadPng(path, true);
        if (!png)
            return -1;
        const zephyra::Picture& p = png->picture;
        width = p.Width();
        height = p.Height();
        int dark = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                dark += p.Sample(x, y, 0) < 0.5 && p.Sample(x, y, 1) < 0.5 && p.Sample(x, y, 2) < 0.5;
        return dark;
    }
    // Pixels between the picture's edges and the nearest pixel that differs from the corner's colour:
    // left, right, top, bottom; all -1 for a blank or unreadable picture.
    std::array<int, 4> Margins(const std::string& path) const
    {
        const std::optional<zephyra::DecodedPng> png = zephyra::ReadPng(path, true);
        std::array<int, 4> margins{-1, -1, -1, -1};
        if (!png)
            return margins;
        const zephyra::Picture& p = png->picture;
        int left = p.Width(), right = -1, top = p.Height(), bottom = -1;
        for (int y = 0; y < p.Height(); ++y)
            for (int x = 0; x < p.Width(); ++x)
                for (int c = 0; c < 3; ++c)
                    if (p.Sample(x, y, c) != p.Sample(0, 0, c)) {
                        left = std::min(left, x);
                        right = std::max(right, x);
                        top = std::min(top, y);
                        bottom = std::max(bottom, y);
                    }
        if (right >= 0)
            margins = {left, p.Width() - 1 - right, top, p.Height() - 1 - bottom};
        return margins;
    }
    std::string Bytes(const std::filesystem::path& path) const
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
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

// Unmended, the picture replaced the FIFO and the command said "Wrote".
TEST_F(RenderFixture, RefusesATargetThatIsNoRegularFile)
{
    const std::filesystem::path fifo = dir / "pipe.png";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::vector<std::string>& mode : {std::vector<std::string>{}, {"--density"}}) {
        std::vector<std::string> arguments{"EWM?MPMMWMMMM", "-o", fifo.string(), "--size", "40x30"};
        arguments.insert(arguments.end(), mode.begin(), mode.end());
        EXPECT_EQ(Render(arguments), EXIT_FAILED);
        EXPECT_EQ(err, "zephyra render: " + fifo.string() + ": a FIFO, not a regular file\n");
    }
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
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
    EXPECT_NE(err.find("no such folder"), std::string::npos);
}

// Unmended, each of these wrote a blank picture and said "Wrote".
TEST_F(RenderFixture, RefusesWhatCannotBeDrawnAndRecordsFallBackToTheDefaultCamera)
{
    const std::string path = (dir / "blank.png").string();
    const std::string code = "EWM?MPMMWMMMM";
    for (const std::vector<std::string>& camera :
         {std::vector<std::string>{"--fov", "0"}, {"--fov", "180"}, {"--zoom", "0"}, {"--zoom", "-1"}}) {
        std::vector<std::string> arguments{code, "-o", path, "--size", "40x30"};
        arguments.insert(arguments.end(), camera.begin(), camera.end());
        EXPECT_EQ(Render(arguments), EXIT_USAGE) << camera[0] << " " << camera[1];
        EXPECT_EQ(err.substr(0, err.find('\n')),
                  "zephyra render: bad number for " + camera[0] + ": '" + camera[1] +
                      (camera[0] == "--fov" ? "' (above 0, below 180)" : "' (above 0)"));
    }
    EXPECT_EQ(Render({"EZZZZZZZZZZZZ", "-o", path, "--size", "40x30"}), EXIT_FAILED);
    EXPECT_EQ(err, "zephyra render: the orbit of 'EZZZZZZZZZZZZ' leaves every bound\n");
    EXPECT_EQ(Render({code, "-o", path, "--size", "40x30", "--start", "1e30,0,0,0"}), EXIT_FAILED);
    EXPECT_EQ(err, "zephyra render: the orbit of '" + code + "' leaves every bound\n");
    EXPECT_FALSE(std::filesystem::exists(path));

    const std::filesystem::path document = dir / "camera.zpr";
    int width = 0, height = 0;
    for (const std::string camera : {"fov=\"nan\"", "zoom=\"inf\"", "yaw=\"-inf\"", "fov=\"0\""}) {
        std::ofstream(document) << "<?xml version=\"1.0\"?>\n<zephyraSaved><attractor config=\"" << code
                                << "\" pointsCount=\"50000\" " << camera << " /></zephyraSaved>\n";
        ASSERT_EQ(Render({"--from", document.string(), "-o", path, "--size", "160x120", "--bw"}), EXIT_OK)
            << camera << ": " << err;
        EXPECT_EQ(err, "zephyra render: " + document.string() +
                           ": the record's camera cannot be drawn through; using the defaults\nWrote " +
                           path + " (160x120, 50000 points)\n");
        EXPECT_GT(DarkPixels(path, width, height), 200) << camera;
    }
}

// Unmended, each of these wrote a picture of the background alone and said "Wrote".
TEST_F(RenderFixture, APointPictureThatWouldShowNothingIsRefusedSayingWhy)
{
    const std::string path = (dir / "nothing.png").string();
    const std::string code = "EWM?MPMMWMMMM";
    EXPECT_EQ(Render({code, "-o", path, "--points", "100"}), EXIT_FAILED);
    EXPECT_EQ(err,
              "zephyra render: 100 points draw nothing: the first 100 points of an orbit are never drawn\n");
    const std::string outside = "zephyra render: no point of '" + code +
                                "' falls inside the picture: its camera (zoom, field of view, turn or pan) "
                                "looks past them\n";
    for (const std::vector<std::string>& camera :
         {std::vector<std::string>{"--zoom", "0.000001"}, {"--fov", "0.0001"}}) {
        EXPECT_EQ(Render({code, "-o", path, "--size", "40x30", camera[0], camera[1]}), EXIT_FAILED)
            << camera[0];
        EXPECT_EQ(err, outside) << camera[0];
    }
    const std::filesystem::path document = dir / "record.zpr";
    // A negative count reads as 0, as everywhere.
    for (const std::string field : {"tx=\"1e38\"", "pointsCount=\"-5\""}) {
        std::ofstream(document) << "<?xml version=\"1.0\"?>\n<zephyraSaved><attractor config=\"" << code
                                << "\" " << field << " /></zephyraSaved>\n";
        EXPECT_EQ(Render({"--from", document.string(), "-o", path, "--size", "40x30"}), EXIT_FAILED) << field;
        EXPECT_EQ(err, field[0] == 't' ? outside
                                       : "zephyra render: 0 points draw nothing: the first 100 points of an "
                                         "orbit are never drawn\n");
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

// Unmended, a density picture into a missing folder rendered for minutes before it said so.
TEST_F(RenderFixture, AnUnwritableTargetIsToldBeforeAnyWork)
{
    const std::filesystem::path missing = dir / "missing";
    EXPECT_EQ(Render({"EWM?MPMMWMMMM", "--density", "--points", "1000000000000", "-o",
                      (missing / "x.png").string()}),
              EXIT_FAILED);
    EXPECT_EQ(err, "zephyra render: " + missing.string() + ": no such folder\n");
    // A picture is a PNG whatever it is called: another name, or standard output, is refused.
    for (const std::string name : {"x.webp", "x.jpg", "x", "-"}) {
        EXPECT_EQ(Render({"EWM?MPMMWMMMM", "-o", name, "--size", "40x30"}), EXIT_USAGE) << name;
        EXPECT_NE(err.find(".png\" file"), std::string::npos) << err;
        EXPECT_FALSE(std::filesystem::exists(name));
    }
    EXPECT_EQ(Render({"EWM?MPMMWMMMM", "-o", (dir / "upper.PNG").string(), "--size", "40x30"}), EXIT_OK)
        << err;
}

TEST_F(RenderFixture, DensityPictureCarriesItsRecordAndRendersAgain)
{
    const std::string path = (dir / "henon.png").string(), again = (dir / "again.png").string();
    ASSERT_EQ(
        Render({"EWM?MPMMWMMMM", "--density", "-o", path, "--size", "96x64", "--points", "200000", "--yaw",
                "30", "--colors", "magma", "--background", "000000", "--threads", "2", "--seed", "3"}),
        EXIT_OK)
        << err;
    std::ostringstream out, errors;
    CommandIo io{out, errors};
    ASSERT_EQ(RunCommandLine({"list", path}, io), EXIT_OK) << errors.str();
    EXPECT_NE(out.str().find("picture EWM?MPMMWMMMM points=50000 fov=60 zoom=2.5 yaw=30"), std::string::npos)
        << out.str();
    EXPECT_NE(out.str().find("settings renderer=density width=96 height=64 points=200000"),
              std::string::npos);
    ASSERT_EQ(Render({"--from", path, "-o", again}), EXIT_OK) << err;
    EXPECT_EQ(Bytes(again), Bytes(path));
}

// The exact values travel in the picture's record: listed, and drawn again from it. A picture
// without them carries the record as the writer has always written it.
TEST_F(RenderFixture, ExactValuesTravelInThePictureRecord)
{
    const std::string plain = (dir / "plain.png").string(), between = (dir / "between.png").string(),
                      again = (dir / "again.png").string();
    const std::vector<std::string> small = {"--density", "--size", "64x48", "--points",
                                            "100000",    "--seed", "3"};
    auto with = [&](std::vector<std::string> arguments) {
        arguments.insert(arguments.end(), small.begin(), small.end());
        return Render(arguments);
    };
    ASSERT_EQ(with({"EWM?MPMMWMMMM", "-o", plain}), EXIT_OK) << err;
    ASSERT_EQ(with({"EWM?MPMMWMMMM", "--coef", "3=-1.37", "-o", between}), EXIT_OK) << err;
    EXPECT_NE(Bytes(between), Bytes(plain));

    std::ostringstream out, errors;
    CommandIo io{out, errors};
    ASSERT_EQ(RunCommandLine({"list", between}, io), EXIT_OK) << errors.str();
    EXPECT_NE(out.str().find("picture EWM?MPMMWMMMM exact=\"3:-1.37\" points=50000"), std::string::npos)
        << out.str();
    ASSERT_EQ(Render({"--from", between, "-o", again}), EXIT_OK) << err;
    EXPECT_EQ(Bytes(again), Bytes(between));

    const auto stored = zephyra::ReadPng(plain, true);
    ASSERT_TRUE(stored);
    const auto record =
        std::find_if(stored->texts.begin(), stored->texts.end(),
                     [](const zephyra::PngText& t) { return t.text.rfind("<attractor ", 0) == 0; });
    ASSERT_NE(record, stored->texts.end());
    EXPECT_EQ(record->text,
              "<attractor config=\"EWM?MPMMWMMMM\" pointsCount=\"50000\" fov=\"60\" zoom=\"2.5\" yaw=\"0\" "
              "pitch=\"0\" tx=\"0\" ty=\"0\" x0=\"0.05\" y0=\"0.05\" z0=\"0.05\" w0=\"0.05\" coordX=\"0\" "
              "coordY=\"1\" coordZ=\"2\" colorR=\"0\" colorG=\"1\" colorB=\"2\" fgColor=\"1.000000 1.000000 "
              "1.000000\" bgColor=\"1.000000 1.000000 1.000000\"/>");
}

TEST_F(RenderFixture, PicturesStateThePrintResolutionAsked)
{
    const std::string points = (dir / "points.png").string(), density = (dir / "density.png").string(),
                      plain = (dir / "plain.png").string();
    ASSERT_EQ(Render({"EWM?MPMMWMMMM", "-o", points, "--size", "40x30", "--dpi", "300"}), EXIT_OK) << err;
    ASSERT_EQ(Render({"EWM?MPMMWMMMM", "--density", "-o", density, "--size", "40x30", "--points", "10000",
                      "--dpi", "72"}),
              EXIT_OK)
        << err;
    ASSERT_EQ(Render({"EWM?MPMMWMMMM", "-o", plain, "--size", "40x30"}), EXIT_OK) << err;
    EXPECT_EQ(zephyra::testing::PixelsPerMetre(points), 11811u); // 300 / 0.0254
    EXPECT_EQ(zephyra::testing::PixelsPerMetre(density), 2835u);
    EXPECT_FALSE(zephyra::testing::PixelsPerMetre(plain));
    // The resolution is part of the settings: rendered again, the picture states it again.
    const std::string again = (dir / "again.png").string();
    ASSERT_EQ(Render({"--from", density, "-o", again}), EXIT_OK) << err;
    EXPECT_EQ(Bytes(again), Bytes(density));
    EXPECT_EQ(Render({"EWM?MPMMWMMMM", "-o", plain, "--dpi", "0"}), EXIT_USAGE);
}

// Laid over any background, a transparent picture must look like the attractor on it: empty
// pixels fully transparent, the densest opaque, and the colour of faint pixels not darkened by
// their alpha (which would leave dark fringes on a light page).
TEST_F(RenderFixture, TransparentDensityHasTheDensityAsAlphaAndComesBack)
{
    const std::string path = (dir / "clear.png").string(), again = (dir / "again.png").string();
    ASSERT_EQ(
        Render({"EWM?MPMMWMMMM", "--density", "--size", "96x64", "--points", "300000", "--tone", "linear",
                "--supersample", "1", "-o", path, "--background", "transparent", "--depth", "16"}),
        EXIT_OK)
        << err;
    const std::optional<zephyra::DecodedPng> clear = zephyra::ReadPng(path, true);
    ASSERT_TRUE(clear);
    const zephyra::Picture& p = clear->picture;
    ASSERT_TRUE(p.HasAlpha());
    double densest = 0.0, faintLight = 0.0, denseLight = 0.0;
    int empty = 0, faint = 0, dense = 0;
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x) {
            const double alpha = p.Sample(x, y, 3);
            const double light = std::max({p.Sample(x, y, 0), p.Sample(x, y, 1), p.Sample(x, y, 2)});
            densest = std::max(densest, alpha);
            empty += alpha == 0.0;
            if (alpha > 0.0 && alpha < 0.1) {
                faintLight += light;
                ++faint;
            } else if (alpha > 0.5) {
                denseLight += light;
                ++dense;
            }
        }
    EXPECT_EQ(p.Sample(0, 0, 3), 0.0);
    EXPECT_GT(empty, p.Width() * p.Height() / 4);
    EXPECT_EQ(densest, 1.0);
    ASSERT_GT(faint, 0);
    ASSERT_GT(dense, 0);
    EXPECT_GT(faintLight / faint, 0.7 * denseLight / dense);

    std::ostringstream out, errors;
    CommandIo io{out, errors};
    ASSERT_EQ(RunCommandLine({"list", path}, io), EXIT_OK) << errors.str();
    EXPECT_NE(out.str().find(" background=transparent"), std::string::npos) << out.str();
    ASSERT_EQ(Render({"--from", path, "-o", again}), EXIT_OK) << err;
    EXPECT_EQ(Bytes(again), Bytes(path));
}

TEST_F(RenderFixture, RefusesBadDensityOptionsAndKeepsTheOldPicture)
{
    const std::string path = (dir / "kept.png").string();
    ASSERT_EQ(Render({"EWM?MPMMWMMMM", "-o", path, "--size", "40x30"}), EXIT_OK) << err;
    const auto size = std::filesystem::file_size(path);
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"--colors", "plasma"},
                                                {"--size", "0x30"},
                                                {"--size", "65536x30"},
                                                {"--points", "many"},
                                                {"--gamma", "0"},
                                                {"--depth", "12"},
                                                {"--tone", "loud"},
                                                {"--background", "red"},
                                                {"--supersample", "9"},
                                                {"--memory", "-1"}}) {
        std::vector<std::string> arguments{"EWM?MPMMWMMMM", "--density", "-o", path};
        arguments.insert(arguments.end(), bad.begin(), bad.end());
        EXPECT_EQ(Render(arguments), EXIT_USAGE) << bad[0] << " " << bad[1];
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 2) << err; // the reason and the usage line
    }
    EXPECT_EQ(Render({"EWM", "--density", "-o", path}), EXIT_FAILED);
    EXPECT_EQ(Render({"--from", (dir / "none.zpr").string(), "-o", path}), EXIT_FAILED);
    EXPECT_NE(err.find("File not found."), std::string::npos) << err;
    std::ofstream((dir / "notes.txt").string()) << "not a record";
    EXPECT_EQ(Render({"--from", (dir / "notes.txt").string(), "-o", path}), EXIT_FAILED);
    EXPECT_NE(err.find("notes.txt: not a Zephyra file"), std::string::npos) << err;
    EXPECT_EQ(std::filesystem::file_size(path), size);
}

TEST_F(RenderFixture, BlackAndWhiteDensityIsGreyOnWhiteAndComesBack)
{
    const std::string path = (dir / "bw.png").string(), colour = (dir / "colour.png").string(),
                      again = (dir / "again.png").string();
    const auto render = [&](const std::string& output, bool bw) {
        std::vector<std::string> arguments{"EWM?MPMMWMMMM", "--density", "-o",       output,
                                           "--size",        "96x64",     "--points", "200000"};
        if (bw)
            arguments.push_back("--bw");
        return Render(arguments);
    };
    ASSERT_EQ(render(colour, false), EXIT_OK) << err;
    ASSERT_EQ(render(path, true), EXIT_OK) << err;
    EXPECT_NE(Bytes(path), Bytes(colour));
    const std::optional<zephyra::DecodedPng> png = zephyra::ReadPng(path, true);
    ASSERT_TRUE(png);
    const zephyra::Picture& p = png->picture;
    int dark = 0;
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x) {
            EXPECT_EQ(p.Sample(x, y, 0), p.Sample(x, y, 1));
            EXPECT_EQ(p.Sample(x, y, 1), p.Sample(x, y, 2));
            dark += p.Sample(x, y, 0) < 0.5;
        }
    EXPECT_EQ(p.Sample(0, 0, 0), 1.0);
    EXPECT_GT(dark, 20);
    ASSERT_EQ(Render({"--from", path, "-o", again}), EXIT_OK) << err;
    EXPECT_EQ(Bytes(again), Bytes(path));
}

TEST_F(RenderFixture, DensityOptionsWithoutDensityAreRefusedInOneLine)
{
    const std::string path = (dir / "none.png").string();
    for (const std::vector<std::string>& option : {std::vector<std::string>{"--colors", "magma"},
                                                   {"--tone", "linear"},
                                                   {"--fit"},
                                                   {"--threads", "2"}}) {
        std::vector<std::string> arguments{"EWM?MPMMWMMMM", "-o", path};
        arguments.insert(arguments.end(), option.begin(), option.end());
        EXPECT_EQ(Render(arguments), EXIT_USAGE) << option[0];
        EXPECT_EQ(err, "zephyra render: " + option[0] + " needs --density\n");
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

// Unmended, 2^63 points aborted on bad_alloc, 2^64 - 1 wrapped around to a blank "Wrote", and 100000
// threads (or a picture's settings asking for a million) aborted on std::system_error.
TEST_F(RenderFixture, CountsAreRefusedWithTheirRangeAndStoredThreadsHeld)
{
    const std::string path = (dir / "kept.png").string();
    const std::vector<std::pair<std::vector<std::string>, std::string>> bad = {
        {{"--density", "--points", "9223372036854775808"}, "1 to 1000000000000"},
        {{"--density", "--points", "18446744073709551615"}, "1 to 1000000000000"},
        {{"--density", "--points", "0"}, "1 to 1000000000000"},
        {{"--points", "4294967296"}, "(1 to 2147483647)"},
        {{"--density", "--threads", "100000"}, "1 to 256"},
        {{"--density", "--threads", "0"}, "1 to 256"},
    };
    for (const auto& [options, range] : bad) {
        std::vector<std::string> arguments{"EWM?MPMMWMMMM", "-o", path, "--size", "40x30"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        EXPECT_EQ(Render(arguments), EXIT_USAGE) << options.back();
        EXPECT_NE(err.find(range), std::string::npos) << err;
    }
    EXPECT_FALSE(std::filesystem::exists(path));

    // A picture whose settings ask for too many threads renders on at most 256; too many points
    // are refused in one line.
    const zephyra::AttractorRef henon =
        zephyra::Attractor::CreateFromCode("EWM?MPMMWMMMM", zephyra::AttractorDefaults{});
    const auto picture = [&](const std::string& settings) {
        const std::string from = (dir / "from.png").string();
        EXPECT_EQ(zephyra::WritePngFile(from, zephyra::EncodePng(zephyra::Picture(4, 3, 8),
                                                                 {{zephyra::ATTRACTOR_CHUNK_KEY,
                                                                   zephyra::AttractorElementText(*henon)},
                                                                  {zephyra::SETTINGS_CHUNK_KEY, settings}})),
                  "");
        return from;
    };
    const std::string density = "renderer=density width=40 height=30 points=20000 supersample=1 ";
    EXPECT_EQ(Render({"--from", picture(density + "threads=1000000"), "-o", path}), EXIT_OK) << err;
    EXPECT_EQ(Render({"--from", picture(density + "points=18446744073709551615"), "-o", path}), EXIT_FAILED);
    EXPECT_EQ(err, "zephyra render: the number of points must be 1 to 1000000000000\n");
}

// Portrait pictures touched both sides and a 4D code sat off centre: the picture was framed as if
// square. Every side keeps a margin of 5 % of the shorter side, the tighter pair is even.
TEST_F(RenderFixture, FittedPicturesKeepTheirMarginsOnEveryAspect)
{
    const std::string map4d = "MJFHPOETQFQHQKGDIFQMFPAMFALDETSMMINTHFGJHFIEBJMGHCRIMFYOQCXPI";
    const std::vector<std::vector<std::string>> cases = {
        {"EWM?MPMMWMMMM", "--size", "120x240"},
        {"EWM?MPMMWMMMM", "--size", "240x120"},
        {"EWM?MPMMWMMMM", "--size", "160x160"},
        {map4d, "--size", "150x250", "--xw", "40", "--yw", "25", "--fit"},
    };
    for (std::vector<std::string> arguments : cases) {
        const std::string path = (dir / "fit.png").string();
        for (const char* a : {"--density", "--points", "2000000", "-o"})
            arguments.push_back(a);
        arguments.push_back(path);
        ASSERT_EQ(Render(arguments), EXIT_OK) << err;
        int width = 0, height = 0;
        (void)DarkPixels(path, width, height);
        const int shorter = std::min(width, height);
        const std::array<int, 4> m = Margins(path);
        SCOPED_TRACE(arguments[0] + " " + arguments[2]);
        for (int side : m)
            EXPECT_GE(side, shorter / 25);
        EXPECT_LE(std::abs(m[0] - m[1]), 2);
        EXPECT_LE(std::abs(m[2] - m[3]), 2);
        EXPECT_LE(std::min(m[0] + m[1], m[2] + m[3]), shorter / 5) << "it fills the picture";
    }
    // A bare code's picture is fitted unless asked not to be; a moved camera is kept.
    const std::string path = (dir / "default.png").string();
    ASSERT_EQ(Render({"EWM?MPMMWMMMM", "--density", "--size", "240x135", "--points", "2000000", "--no-fit",
                      "-o", path}),
              EXIT_OK);
    EXPECT_GT(Margins(path)[2], 135 / 8) << "the view's camera leaves the Henon map small";
    const std::string turned = (dir / "turned.png").string();
    for (const std::string& file : {path, turned}) {
        std::vector<std::string> arguments = {"EWM?MPMMWMMMM", "--density", "--size", "240x135", "--points",
                                              "2000000",       "--yaw",     "30",     "-o",      file};
        if (file == path)
            arguments.push_back("--no-fit");
        ASSERT_EQ(Render(arguments), EXIT_OK) << err;
    }
    EXPECT_EQ(Bytes(path), Bytes(turned));
    EXPECT_EQ(Render({"EWM?MPMMWMMMM", "--density", "--fit", "--no-fit", "-o", path}), EXIT_USAGE);
}

TEST_F(RenderFixture, OnlyFourDimensionalCasesTurnThroughW)
{
    const std::string path = (dir / "turned.png").string();
    const std::string fourD = "MSDHINLFSMYOGVGMNWACSGFRJPKWDBORKLHRGNROEJNJOGLLIDFAUTNNOIGYS";
    ASSERT_EQ(Render({fourD, "-o", path, "--size", "80x60", "--xw", "30", "--zw", "-5", "--seed", "1"}),
              EXIT_OK)
        << err;
    const auto stored = zephyra::ReadPictureRecord(path, {});
    ASSERT_TRUE(stored && stored->attractor);
    EXPECT_EQ(stored->attractor->xw, 30.0f);
    EXPECT_EQ(stored->attractor->yw, 0.0f);
    EXPECT_EQ(stored->attractor->zw, -5.0f);

    const std::string before = Bytes(path);
    EXPECT_EQ(Render({"EWM?MPMMWMMMM", "-o", path, "--xw", "30"}), EXIT_FAILED);
    EXPECT_NE(err.find("four-dimensional"), std::string::npos) << err;
    EXPECT_EQ(Render({fourD, "-o", path, "--yw", "north"}), EXIT_USAGE);
    EXPECT_EQ(Bytes(path), before);
}

// Unmended, the points of high w were white on white: half of them 50 levels or less from it.
TEST_F(RenderFixture, TheDefault4DPictureStandsOutFromItsBackground)
{
    const std::string path = (dir / "four.png").string();
    ASSERT_EQ(
        Render({"MOIVKDXPNARIDRIDIPNPSRTSCPEGRCKPWAXCYNJFTCDBIJMKQLEOXVRWPHCDF", "-o", path, "--seed", "1"}),
        EXIT_OK)
        << err;
    const std::optional<zephyra::DecodedPng> png = zephyra::ReadPng(path, true);
    ASSERT_TRUE(png);
    const zephyra::Picture& p = png->picture;
    std::vector<int> distances; // the largest channel difference, in levels of 255
    bool grey = true;
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x) {
            int distance = 0;
            for (int c = 0; c < 3; ++c)
                distance = std::max(distance, static_cast<int>(std::lround(
                                                  255.0 * std::abs(p.Sample(x, y, c) - p.Sample(0, 0, c)))));
            grey = grey && p.Sample(x, y, 0) == p.Sample(x, y, 1) && p.Sample(x, y, 1) == p.Sample(x, y, 2);
            if (distance > 0)
                distances.push_back(distance);
        }
    ASSERT_GT(distances.size(), 1000u);
    std::nth_element(distances.begin(), distances.begin() + distances.size() / 2, distances.end());
    EXPECT_GE(distances[distances.size() / 2], 77);
    // Still a grey scale of w: points of different w keep different tones.
    EXPECT_TRUE(grey);
    EXPECT_GT(*std::max_element(distances.begin(), distances.end()) -
                  *std::min_element(distances.begin(), distances.end()),
              100);
}

TEST_F(RenderFixture, CtrlCLeavesNoFileBehind)
{
    InterruptingBuffer buffer;
    std::ostream terminal(&buffer);
    std::ostringstream out;
    CommandIo io{out, terminal, true};
    const std::string path = (dir / "stopped.png").string();
    EXPECT_EQ(
        RunCommandLine({"render", "EWM?MPMMWMMMM", "--density", "--points", "100000000000", "-o", path}, io),
        EXIT_INTERRUPTED);
    EXPECT_NE(buffer.str().find("Canceled"), std::string::npos) << buffer.str();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 0);
}

// The tone curves and palettes against pictures kept under tests/data (written by
// tests/data/regenerate-golden.sh, which names the options again). The free-running orbits may
// round differently on another vector unit, so a few pixels may differ by a little; a wrong curve
// or colour table moves nearly all of them.
TEST_F(RenderFixture, DensityPicturesMatchTheKeptReferences)
{
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"density-gamma-magma.png", {"--tone", "gamma", "--gamma", "2.2", "--colors", "magma"}},
        {"density-eqhist-viridis-16.png",
         {"--tone", "eqhist", "--colors", "viridis", "--depth", "16", "--background", "transparent"}},
    };
    for (const auto& [name, options] : cases) {
        SCOPED_TRACE(name);
        const std::string path = (dir / name).string();
        std::vector<std::string> arguments = {
            "EWM?MPMMWMMMM", "-q",     "--density", "--size", "64x48", "--points",
            "200000",        "--seed", "1",         "-o",     path};
        arguments.insert(arguments.end(), options.begin(), options.end());
        ASSERT_EQ(Render(arguments), 0) << err;
        const auto made = zephyra::ReadPng(path, true);
        const auto kept = zephyra::ReadPng(std::filesystem::path(ZEPHYRA_TEST_DATA) / name, true);
        ASSERT_TRUE(made && kept);
        const zephyra::Picture &a = made->picture, &b = kept->picture;
        ASSERT_EQ(a.Width(), b.Width());
        ASSERT_EQ(a.Height(), b.Height());
        ASSERT_EQ(a.Depth(), b.Depth());
        ASSERT_EQ(a.Channels(), b.Channels());
        double sum = 0.0;
        int far = 0, samples = 0;
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x)
                for (int c = 0; c < a.Channels(); ++c, ++samples) {
                    const double d = std::abs(a.Sample(x, y, c) - b.Sample(x, y, c));
                    sum += d;
                    far += d > 8.0 / 255.0 ? 1 : 0;
                }
        EXPECT_LT(sum / samples, 0.5 / 255.0);
        EXPECT_LE(far, samples / 100);
    }
}

} // namespace
