#include "AnimationExport.h"
#include "Attractor.h"
#include "InterruptingBuffer.h"
#include "PictureRecord.h"
#include "PngFile.h"
#include "Subcommand.h"
#include "TestFolder.h"
#include "WebpFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zephyra::cli;
using zephyra::testing::InterruptingBuffer;

namespace {

constexpr const char* HENON = "EWM?MPMMWMMMM";

struct AnimateFixture : ::testing::Test {
    std::filesystem::path dir = zephyra::testing::TestFolder("animate");
    std::string err;

    void SetUp() override
    {
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    int Animate(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), "animate");
        for (const char* small :
             {"--size", "48x32", "--points", "20000", "--supersample", "1", "--threads", "2"})
            arguments.emplace_back(small);
        std::ostringstream out, errors;
        CommandIo io{out, errors};
        const int code = RunCommandLine(arguments, io);
        err = errors.str();
        return code;
    }
    zephyra::Picture Frame(int number) const
    {
        const std::string name = "frame-000" + std::to_string(number) + ".png";
        const auto png = zephyra::ReadPng(dir / name, true);
        return png ? png->picture : zephyra::Picture();
    }
    [[nodiscard]] std::size_t Entries() const
    {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
    }
};

// Pixels whose colour differs by more than a few levels in some channel.
int DifferentPixels(const zephyra::Picture& a, const zephyra::Picture& b)
{
    int different = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            for (int c = 0; c < 3; ++c)
                if (std::abs(a.Sample(x, y, c) - b.Sample(x, y, c)) > 0.02) {
                    ++different;
                    break;
                }
    return different;
}

TEST_F(AnimateFixture, WritesALoopingWebpOfTheAskedFramesAndSize)
{
    const std::filesystem::path path = dir / "turn.webp";
    ASSERT_EQ(Animate({HENON, "-o", path.string(), "--frames", "5", "--pitch-swing", "20"}), EXIT_OK) << err;
    const auto webp = zephyra::testing::ReadWebpFile(path);
    ASSERT_TRUE(webp);
    EXPECT_EQ(webp->declaredFrames, 5u);
    EXPECT_EQ(webp->width, 48u);
    EXPECT_EQ(webp->height, 32u);
    EXPECT_EQ(webp->loops, 0u); // for ever
    EXPECT_EQ(webp->decodedFrames, 5);
}

// Like a picture, an animation can be listed, rendered again and opened: the WebP file and every
// PNG frame carry the attractor's record and the render settings.
TEST_F(AnimateFixture, WebpAndPngFramesCarryTheRecord)
{
    const std::filesystem::path webp = dir / "turn.webp", still = dir / "still.png";
    ASSERT_EQ(Animate({HENON, "-o", webp.string(), "--frames", "2", "--colors", "magma"}), EXIT_OK) << err;
    std::ostringstream out, errors;
    CommandIo io{out, errors};
    ASSERT_EQ(RunCommandLine({"list", webp.string()}, io), EXIT_OK) << errors.str();
    EXPECT_NE(out.str().find("picture EWM?MPMMWMMMM points=50000"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("settings renderer=density width=48 height=32 points=20000 supersample=1"),
              std::string::npos)
        << out.str();
    EXPECT_NE(out.str().find(" colors=magma"), std::string::npos) << out.str();
    ASSERT_EQ(RunCommandLine({"render", "--from", webp.string(), "-o", still.string()}, io), EXIT_OK)
        << errors.str();
    const auto png = zephyra::ReadPng(still, true);
    ASSERT_TRUE(png);
    EXPECT_EQ(png->picture.Width(), 48);
    const auto decoded = zephyra::testing::ReadWebpFile(webp);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->decodedFrames, 2);

    // Transparent frames keep their alpha in the WebP and still decode.
    const std::filesystem::path clear = dir / "clear.webp";
    ASSERT_EQ(Animate({HENON, "-o", clear.string(), "--frames", "2", "--background", "transparent"}), EXIT_OK)
        << err;
    const auto clearFrames = zephyra::testing::ReadWebpFile(clear);
    ASSERT_TRUE(clearFrames);
    EXPECT_EQ(clearFrames->decodedFrames, 2);

    const std::filesystem::path frames = dir / "frames";
    std::filesystem::create_directory(frames);
    ASSERT_EQ(Animate({HENON, "-o", frames.string(), "--frames", "2"}), EXIT_OK) << err;
    const auto stored = zephyra::ReadPictureRecord(frames / "frame-0002.png", zephyra::AttractorDefaults{});
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->attractor->code, HENON);
    EXPECT_NE(stored->settings.value_or("").find("width=48 height=32"), std::string::npos);
}

TEST_F(AnimateFixture, ExactValuesAreAnimatedAndCarriedInTheWebpRecord)
{
    const std::filesystem::path plain = dir / "plain.webp", between = dir / "between.webp";
    ASSERT_EQ(Animate({HENON, "-o", plain.string(), "--frames", "1"}), EXIT_OK) << err;
    ASSERT_EQ(Animate({HENON, "--coef", "3=-1.2", "-o", between.string(), "--frames", "1"}), EXIT_OK) << err;
    std::ostringstream out, errors;
    CommandIo io{out, errors};
    ASSERT_EQ(RunCommandLine({"list", between.string()}, io), EXIT_OK) << errors.str();
    EXPECT_NE(out.str().find("picture EWMAMPMMWMMMM exact=\"3:-1.2\" points=50000"), std::string::npos)
        << out.str();
    const auto a = zephyra::testing::ReadWebpFile(plain), b = zephyra::testing::ReadWebpFile(between);
    ASSERT_TRUE(a && b);
    EXPECT_NE(a->firstFrame, b->firstFrame);
}

TEST_F(AnimateFixture, TurntablesComeBackToTheFirstFrameAndTurnIn4D)
{
    // 450 degrees over 5 frames: frame 5 is frame 1 turned once round, frame 3 half round.
    ASSERT_EQ(Animate({HENON, "-o", dir.string(), "--frames", "5", "--turntable", "450", "--colors", "gray"}),
              EXIT_OK)
        << err;
    ASSERT_EQ(Entries(), 5u);
    const zephyra::Picture first = Frame(1);
    ASSERT_EQ(first.Width(), 48);
    EXPECT_LT(DifferentPixels(first, Frame(5)), 48 * 32 / 50);
    EXPECT_GT(DifferentPixels(first, Frame(3)), 48 * 32 / 20);

    // A 4D case turned in the plane of z and w as well: the same first frame, another second one.
    const std::string fourD = "MSDHINLFSMYOGVGMNWACSGFRJPKWDBORKLHRGNROEJNJOGLLIDFAUTNNOIGYS";
    ASSERT_EQ(Animate({fourD, "-o", dir.string(), "--frames", "4"}), EXIT_OK) << err;
    const zephyra::Picture yawOnly[] = {Frame(1), Frame(2)};
    ASSERT_EQ(Animate({fourD, "-o", dir.string(), "--frames", "4", "--rotate4", "zw"}), EXIT_OK) << err;
    EXPECT_EQ(DifferentPixels(yawOnly[0], Frame(1)), 0);
    EXPECT_GT(DifferentPixels(yawOnly[1], Frame(2)), 48 * 32 / 50);
}

TEST_F(AnimateFixture, MorphsFrameByFrameAndDrawsDivergingFramesAsBackground)
{
    ASSERT_EQ(Animate({HENON, "-o", dir.string(), "--frames", "3", "--morph", HENON}), EXIT_OK) << err;
    EXPECT_EQ(DifferentPixels(Frame(1), Frame(2)), 0);
    EXPECT_EQ(DifferentPixels(Frame(1), Frame(3)), 0);

    // All coefficients at their largest: the last frame's orbit runs away.
    ASSERT_EQ(Animate({HENON, "-o", dir.string(), "--frames", "2", "--morph", "EYYYYYYYYYYYY", "--background",
                       "102030"}),
              EXIT_OK)
        << err;
    EXPECT_NE(err.find("frame 2: the orbit diverges"), std::string::npos) << err;
    const zephyra::Picture last = Frame(2);
    ASSERT_EQ(last.Width(), 48);
    for (int y = 0; y < last.Height(); ++y)
        for (int x = 0; x < last.Width(); ++x)
            ASSERT_NEAR(last.Sample(x, y, 2), 0x30 / 255.0, 1e-6);
    EXPECT_GT(DifferentPixels(Frame(1), last), 0);

    EXPECT_EQ(Animate({HENON, "-o", dir.string(), "--morph", "IHMHJWVYQWVGPHXKMEXYSPECYTMPVVA"}),
              EXIT_FAILED);
    EXPECT_EQ(Animate({HENON, "-o", dir.string(), "--rotate4", "xw"}), EXIT_FAILED); // a 2D case
}

// Unmended, a killed run's staging folder stayed for ever, and a shorter animation left the
// longer one's last frames beside its own.
TEST_F(AnimateFixture, FramesReplaceAnEarlierSetWholeAndStaleStagingGoes)
{
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        _exit(0);
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    const std::filesystem::path stale = dir / (".zephyra-frames-" + std::to_string(child));
    const std::filesystem::path running = dir / (".zephyra-frames-" + std::to_string(getppid()));
    for (const auto& staging : {stale, running}) {
        std::filesystem::create_directory(staging);
        std::ofstream(staging / "frame-0001.png") << "half";
    }
    std::ofstream(dir / "notes.txt") << "kept";
    ASSERT_EQ(Animate({HENON, "--frames", "3", "-o", dir.string()}), EXIT_OK) << err;
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(std::filesystem::exists(running / "frame-0001.png"));
    EXPECT_TRUE(std::filesystem::exists(dir / "frame-0003.png"));

    ASSERT_EQ(Animate({HENON, "--frames", "2", "-o", dir.string()}), EXIT_OK) << err;
    EXPECT_TRUE(std::filesystem::exists(dir / "frame-0002.png"));
    EXPECT_FALSE(std::filesystem::exists(dir / "frame-0003.png"));
    EXPECT_TRUE(std::filesystem::exists(dir / "notes.txt"));
    EXPECT_EQ(Entries(), 4u) << "two frames, the notes and the running process's staging folder";
}

TEST_F(AnimateFixture, CtrlCAndBadOutputsLeaveNoFile)
{
    InterruptingBuffer buffer;
    std::ostream terminal(&buffer);
    std::ostringstream out;
    CommandIo io{out, terminal, true};
    const std::string webp = (dir / "stopped.webp").string();
    EXPECT_EQ(RunCommandLine({"animate", HENON, "--points", "100000000000", "-o", webp}, io),
              EXIT_INTERRUPTED);
    EXPECT_NE(buffer.str().find("Canceled"), std::string::npos) << buffer.str();
    // Frames of an earlier animation in the folder stay as they were.
    std::ofstream(dir / "frame-0001.png") << "earlier";
    EXPECT_EQ(RunCommandLine({"animate", HENON, "--points", "100000000000", "-o", dir.string()}, io),
              EXIT_INTERRUPTED);
    EXPECT_EQ(Entries(), 1u);
    std::ifstream earlier(dir / "frame-0001.png");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(earlier), {}), "earlier");
    std::filesystem::remove(dir / "frame-0001.png");

    const std::filesystem::path fifo = dir / "pipe.webp";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& bad :
         {(dir / "turn.gif").string(), (dir / "none" / "turn.webp").string(), fifo.string()}) {
        EXPECT_EQ(Animate({HENON, "-o", bad}), EXIT_FAILED) << bad;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    }
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    std::filesystem::remove(fifo);
    EXPECT_EQ(Animate({HENON, "-o", (dir / "turn.webp").string(), "--rotate4", "xy"}), EXIT_USAGE);
    EXPECT_EQ(Entries(), 0u);
}

// Unmended, the compressed frames of a long WebP grew unchecked until the process was killed: now the
// export stops after the frame that shows the rest cannot fit, and writes nothing.
TEST_F(AnimateFixture, CompressedFramesThatWillNotFitStopTheWebpEarly)
{
    zephyra::AnimationPlan plan;
    plan.scene.code = HENON;
    plan.options.width = 96;
    plan.options.height = 64;
    plan.options.points = 20000;
    plan.options.supersample = 1;
    plan.options.threads = 2;
    plan.frames = 50;
    const std::filesystem::path path = dir / "long.webp";
    int framesDone = 0;
    const auto export_ = [&](zephyra::AvailableMemoryProbe probe) {
        framesDone = 0;
        return zephyra::ExportAnimation(
            plan, {path, 30.0, 100.0f, {}}, 0, {}, [&](double f) { framesDone = static_cast<int>(f * 50); },
            [](const std::string&) {}, probe);
    };
    // Room for a frame's bytes, not for fifty.
    const zephyra::DensityResult shortOfMemory = export_([] { return std::uint64_t{8000}; });
    EXPECT_EQ(shortOfMemory.outcome, zephyra::DensityResult::Outcome::Failed);
    EXPECT_NE(
        shortOfMemory.error.find("not enough memory for the 50 compressed frames of a 96x64 WebP animation"),
        std::string::npos)
        << shortOfMemory.error;
    EXPECT_LT(framesDone, 10) << "stopped after the first frames, not at the end";
    EXPECT_FALSE(std::filesystem::exists(path));

    const zephyra::DensityResult plenty = export_([] { return std::uint64_t{1} << 30; });
    ASSERT_EQ(plenty.outcome, zephyra::DensityResult::Outcome::Finished) << plenty.error;
    const auto webp = zephyra::testing::ReadWebpFile(path);
    ASSERT_TRUE(webp);
    EXPECT_EQ(webp->decodedFrames, 50);
}

} // namespace
