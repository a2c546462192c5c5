#include "AnimationExport.h"
#include "CliSession.h"
#include "CommandProgress.h"
#include "DensitySceneOf.h"
#include "PointMemory.h"
#include "RenderOptions.h"
#include "SceneStyle.h"
#include "StatusTexts.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

namespace zephyra::cli {

namespace {

constexpr CommandOption FPS_OPTION{"--fps", "F", "frames a second (default 30)"};
constexpr CommandOption TURNTABLE_OPTION{"--turntable", "D",
                                         "the yaw turns by D degrees over the frames (default 360; 0 with\n"
                                         "--morph)"};
constexpr CommandOption PITCH_SWING_OPTION{"--pitch-swing", "D",
                                           "the pitch swings D degrees up and down once (default 0)"};
constexpr CommandOption QUALITY_OPTION{"--quality", "Q", "lossy WebP quality 0 to 100 (default 90)"};

constexpr int LARGEST_FRAMES = 100000;
constexpr int LARGEST_SIDE = 16383; // the largest WebP picture
constexpr int DEFAULT_WIDTH = 640;
constexpr int DEFAULT_HEIGHT = 480;
constexpr std::uint64_t DEFAULT_POINTS = 10'000'000;

float ParseRange(const ParsedArguments& parsed, CommandOption option, float fallback, float low, float high)
{
    const auto v = parsed.Value(option);
    if (!v)
        return fallback;
    const std::string what(option.names);
    const float value = ParseNumber(*v, what);
    if (value < low || value > high)
        throw UsageError("bad number for " + what + ": '" + *v + "' (" +
                         std::to_string(static_cast<int>(low)) + " to " +
                         std::to_string(static_cast<int>(high)) + ")");
    return value;
}

// A ".webp" file in an existing folder, or an existing folder for PNG frames; else why not.
std::string CheckOutput(const std::string& out)
{
    std::error_code ignored;
    if (!IsWebpPath(out) && !std::filesystem::is_directory(out, ignored))
        return "-o must name a \".webp\" file or an existing folder for PNG frames: '" + out + "'";
    return AnimationTargetProblem(out);
}

int RunAnimate(const ParsedArguments& parsed, CommandIo& io)
{
    parsed.ExpectPositional(1, "CODE");
    const auto out = parsed.Value("output");
    if (!out || out->empty())
        throw UsageError("missing -o FILE.webp|FOLDER");

    AnimationPlan plan;
    PictureSettings settings;
    settings.options.width = DEFAULT_WIDTH;
    settings.options.height = DEFAULT_HEIGHT;
    settings.options.points = DEFAULT_POINTS;
    // WebP pictures are smaller than density pictures may be: only the check is ours, the size is
    // taken with the other density options.
    if (const auto v = parsed.Value("size")) {
        int width = 0, height = 0;
        ParseSize(*v, LARGEST_SIDE, width, height);
    }
    ApplyDensityOptions(parsed, settings);
    plan.options = settings.options;
    if (const auto v = parsed.Value("frames")) {
        plan.frames = ParseCount(*v, "--frames");
        if (plan.frames < 1 || plan.frames > LARGEST_FRAMES)
            throw UsageError("bad number for --frames: '" + *v + "' (1 to 100000)");
    }
    const double fps = ParseRange(parsed, FPS_OPTION, 30, 1, 120);
    const float quality = ParseRange(parsed, QUALITY_OPTION, 90, 0, 100);
    const auto morph = parsed.Value("morph");
    const CoefficientOptions coefficients = ReadCoefficientOptions(parsed);
    // A morph keeps the camera unless a turn is asked for too.
    plan.turnDegrees = ParseRange(parsed, TURNTABLE_OPTION, morph ? 0 : 360, -36000, 36000);
    plan.pitchSwingDegrees = ParseRange(parsed, PITCH_SWING_OPTION, 0, -90, 90);
    int turnAxis = -1;
    if (const auto v = parsed.Value("rotate4")) {
        const std::string planes[] = {"xw", "yw", "zw"};
        const auto plane = std::find(std::begin(planes), std::end(planes), *v);
        if (plane == std::end(planes))
            throw UsageError("unknown plane for --rotate4: '" + *v + "' (xw, yw or zw)");
        turnAxis = static_cast<int>(plane - std::begin(planes));
    }
    if (const std::string error = CheckOutput(*out); !error.empty()) {
        io.err << "zephyra animate: " << error << "\n";
        return EXIT_FAILED;
    }

    CliSession session(io, {});
    const AttractorRef attractor = session.FromCode(parsed.Positional()[0]);
    if (!attractor->valid) {
        io.err << "zephyra animate: '" << parsed.Positional()[0] << "' is not an attractor code\n";
        return EXIT_FAILED;
    }
    ApplyCoefficientOptions(coefficients, *attractor);
    if (turnAxis >= 0 && attractor->dimension != 4) {
        io.err << "zephyra animate: --rotate4 needs a four-dimensional case\n";
        return EXIT_FAILED;
    }
    if (!ApplyTurn4DOptions(parsed, *attractor)) {
        io.err << "zephyra animate: --xw, --yw and --zw need a four-dimensional case\n";
        return EXIT_FAILED;
    }
    plan.scene = DensitySceneOf(*attractor, {}, session.document.defaults());
    plan.scene.turnAxis = turnAxis;
    if (morph && !SetMorph(plan, *attractor, *session.FromCode(*morph))) {
        io.err << "zephyra animate: --morph needs a code of the same case as '" << attractor->code << "'\n";
        return EXIT_FAILED;
    }

    CommandProgress progress(session.host, io);
    const auto note = [&](const std::string& text) {
        progress.Clear();
        io.err << "zephyra animate: " << text << "\n";
    };
    const DensityResult result =
        ExportAnimation(plan, {*out, fps, quality, PictureTexts(*attractor, settings)},
                        SystemAvailableMemory(), progress.Token(), std::ref(progress), note);
    progress.Clear();
    if (result.outcome == DensityResult::Outcome::Cancelled) {
        io.err << "zephyra animate: " << TEXT_CANCELED << " (nothing written)\n";
        return EXIT_INTERRUPTED;
    }
    if (result.outcome != DensityResult::Outcome::Finished) {
        io.err << "zephyra animate: " << result.error << "\n";
        return EXIT_FAILED;
    }
    if (!io.quiet)
        io.err << "Wrote " << *out << " (" << plan.frames << " frames of " << plan.options.width << "x"
               << plan.options.height << ", " << plan.options.points << " points each)\n";
    return EXIT_OK;
}

std::vector<CommandOption> AnimateOptions()
{
    std::vector<CommandOption> options = {
        {"-o,--output", "FILE.webp|FOLDER", "where the frames go (written only when every frame is done)"},
        {"--frames", "N", "number of frames (default 120)"},
        FPS_OPTION,
        {"--size", "WxH", "frame size in pixels (default 640x480)"},
        {"--points", "N", "points a frame, 1 to 1000000000000 (default 10000000)", 1,
         static_cast<std::int64_t>(LARGEST_DENSITY_POINTS)},
        {"--seed", "S", "seed of the density orbits (default 1)"},
        TURNTABLE_OPTION,
        PITCH_SWING_OPTION,
        {"--rotate4", "xw|yw|zw", "4D cases: the plane of w and another axis turns with the yaw"},
        TURN4D_OPTIONS[0],
        TURN4D_OPTIONS[1],
        TURN4D_OPTIONS[2],
        COEF_OPTION,
        {"--morph", "CODE2",
         "the coefficients move to CODE2's (of the same case), frame by frame;\n"
         "frames whose orbit diverges are drawn as background"},
        QUALITY_OPTION,
        {"", "", "The density options of render:"},
    };
    options.insert(options.end(), DensityCommandOptions().begin(), DensityCommandOptions().end());
    return options;
}

} // namespace

Subcommand AnimateCommand()
{
    return {"animate",
            "animate CODE -o FILE.webp|FOLDER [OPTIONS]",
            "Animates density pictures of the attractor of CODE into an animated WebP that loops for ever,\n"
            "or into PNG pictures frame-0001.png... of an existing folder; needs no display. The frames\n"
            "replace those of an earlier animation in the folder, whatever its length; other files stay.\n",
            AnimateOptions(),
            "A progress bar shows on a terminal; Ctrl+C stops and writes nothing.\n",
            RunAnimate};
}

} // namespace zephyra::cli
