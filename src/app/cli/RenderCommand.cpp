#include "AtomicFile.h"
#include "CliSession.h"
#include "CommandProgress.h"
#include "DensityRenderer.h"
#include "DensitySceneOf.h"
#include "PictureExport.h"
#include "PngFile.h"
#include "PointMemory.h"
#include "PointPictureBudget.h"
#include "RecordFile.h"
#include "RenderOptions.h"
#include "SceneStyle.h"
#include "SoftwareRenderer.h"
#include "StatusTexts.h"

#include <filesystem>
#include <ostream>

namespace zephyra::cli {

namespace {

constexpr CommandOption YAW_OPTION{"--yaw", "Y", "rotation about the vertical axis in degrees (default 0)"};
constexpr CommandOption PITCH_OPTION{"--pitch", "P",
                                     "rotation about the horizontal axis in degrees (default 0)"};
constexpr CommandOption ZOOM_OPTION{"--zoom", "Z",
                                    "distance of the eye from the cube's centre, above 0 (default 2.5)"};
constexpr CommandOption FOV_OPTION{"--fov", "F",
                                   "vertical field of view in degrees, above 0 and below 180 (default 60)"};

constexpr CommandOption DPI_OPTION{"--dpi", "N",
                                   "the print resolution the picture states, in dots an inch (1 to 100000)",
                                   1, LARGEST_DOTS_PER_INCH};

constexpr int DEFAULT_WIDTH = 800;
constexpr int DEFAULT_HEIGHT = 600;
constexpr long long LARGEST_AREA = static_cast<long long>(LARGEST_POINT_PICTURE_BYTES / 3);

void ApplyCamera(const ParsedArguments& parsed, Attractor& camera)
{
    const std::pair<CommandOption, float Attractor::*> fields[] = {{YAW_OPTION, &Attractor::yaw},
                                                                   {PITCH_OPTION, &Attractor::pitch},
                                                                   {ZOOM_OPTION, &Attractor::zoom},
                                                                   {FOV_OPTION, &Attractor::fov}};
    for (const auto& [option, field] : fields)
        if (const auto v = parsed.Value(option))
            camera.*field = ParseNumber(*v, option.names);
    // Through any other camera the picture would be blank or the eye inside the cube.
    if (!(camera.fov > 0.0f && camera.fov < 180.0f))
        throw UsageError("bad number for --fov: '" + parsed.Value(FOV_OPTION).value_or("") +
                         "' (above 0, below 180)");
    if (!(camera.zoom > 0.0f))
        throw UsageError("bad number for --zoom: '" + parsed.Value(ZOOM_OPTION).value_or("") + "' (above 0)");
}

AttractorRef WithDrawableCamera(AttractorRef attractor, const std::string& path, CommandIo& io)
{
    if (!attractor->HasDrawableCamera()) {
        io.err << "zephyra render: " << path
               << ": the record's camera cannot be drawn through; using the defaults\n";
        attractor->ResetCamera();
    }
    return attractor;
}

// The record stored in a picture, a ".zpr" document or a configuration file (the I-th, from 1),
// and for a picture the settings it was made with. An empty handle after a message on stderr.
AttractorRef StoredRecord(const std::string& path, const ParsedArguments& parsed,
                          const AttractorDefaults& defaults, PictureSettings& settings, CommandIo& io)
{
    const std::optional<std::string> indexText = parsed.Value("index");
    const std::int32_t index = indexText ? ParseCount(*indexText, "--index") : 1;
    if (const std::string problem = ReadableFileProblem(path); !problem.empty()) {
        io.err << "zephyra render: " << problem << "\n";
        return {};
    }
    if (IsPictureFile(path)) {
        const std::optional<StoredPicture> picture = ReadPictureRecord(path, defaults);
        if (!picture) {
            io.err << "zephyra render: " << path << ": the picture carries no attractor\n";
            return {};
        }
        if (picture->settings && !ReadSettingsText(*picture->settings, settings))
            io.err << "zephyra render: " << path
                   << ": its render settings are unreadable; using the defaults\n";
        return WithDrawableCamera(picture->attractor, path, io);
    }
    if (const std::string refusal = RecordFileMemoryRefusal(path); !refusal.empty()) {
        io.err << "zephyra render: " << refusal << "\n";
        return {};
    }
    const auto records = ReadRecordFile(path, defaults);
    if (!records) {
        io.err << "zephyra render: " << path << ": not a Zephyra file\n";
        return {};
    }
    if (index < 1 || index > static_cast<std::int32_t>(records->size())) {
        io.err << "zephyra render: " << path << " has no record " << index << " (it has " << records->size()
               << ")\n";
        return {};
    }
    return WithDrawableCamera((*records)[static_cast<std::size_t>(index - 1)].attractor, path, io);
}

// A point picture (8-bit RGB) that shows nothing but its background.
bool IsOneColour(const Picture& image)
{
    const std::size_t bytes = image.RowBytes() * static_cast<std::size_t>(image.Height());
    const std::uint8_t* data = image.Row(0);
    for (std::size_t i = 3; i < bytes; ++i)
        if (data[i] != data[i % 3])
            return false;
    return true;
}

int Report(const DensityResult& result, CommandIo& io)
{
    if (result.outcome == DensityResult::Outcome::Cancelled)
        io.err << "zephyra render: " << TEXT_CANCELED << " (nothing written)\n";
    else
        io.err << "zephyra render: " << result.error << "\n";
    return result.outcome == DensityResult::Outcome::Cancelled ? EXIT_INTERRUPTED : EXIT_FAILED;
}

int RenderDensityFile(CliSession& session, const Attractor& attractor, const PictureSettings& settings,
                      const std::string& output)
{
    CommandIo& io = session.io;
    const DensityOptions& o = settings.options;
    // The attractor's own colours, or with --bw grey density on white as the window shows it.
    ViewFlags flags;
    flags.blackWhite = settings.blackWhite;
    const DensityScene scene = DensitySceneOf(attractor, flags, session.document.defaults());

    CommandProgress progress(session.host, io);
    const DensityResult result =
        ExportDensityPicture(scene, settings, PictureTexts(attractor, settings), output,
                             SystemAvailableMemory(), progress.Token(), std::ref(progress));
    progress.Clear();
    if (result.outcome != DensityResult::Outcome::Finished)
        return Report(result, io);
    if (!io.quiet)
        io.err << "Wrote " << output << " (" << o.width << "x" << o.height << ", " << o.points
               << " points)\n";
    return EXIT_OK;
}

int RenderPointsFile(CliSession& session, const AttractorRef& attractor, PictureSettings settings,
                     const ParsedArguments& parsed, const std::string& output)
{
    CommandIo& io = session.io;
    DensityOptions& o = settings.options;
    if (!parsed.Value("size") && !parsed.Value("from")) {
        o.width = DEFAULT_WIDTH;
        o.height = DEFAULT_HEIGHT;
    }
    if (const auto v = parsed.Value("size"))
        ParseSize(*v, LARGEST_POINT_PICTURE_SIDE, o.width, o.height);
    if (o.width > LARGEST_POINT_PICTURE_SIDE || o.height > LARGEST_POINT_PICTURE_SIDE ||
        static_cast<long long>(o.width) * o.height > LARGEST_AREA) {
        const std::string size = std::to_string(o.width) + "x" + std::to_string(o.height);
        const std::string limits = " (1 to " + std::to_string(LARGEST_POINT_PICTURE_SIDE) +
                                   " pixels a side, at most " + std::to_string(LARGEST_AREA / 1'000'000) +
                                   " million in all)";
        if (parsed.Value("size"))
            throw UsageError("bad size for --size: " + size + limits);
        // The size came with the picture of --from: the command line is not at fault.
        io.err << "zephyra render: " << parsed.Value("from").value_or("") << ": its size " << size
               << " is too large for a point picture" << limits << "; give --size\n";
        return EXIT_FAILED;
    }
    if (attractor->pointsCount <= FIRST_DRAWN_POINT) {
        io.err << "zephyra render: " << attractor->pointsCount << " points draw nothing: the first "
               << FIRST_DRAWN_POINT << " points of an orbit are never drawn\n";
        return EXIT_FAILED;
    }
    if (const std::string refusal =
            PointPictureRefusal(o.width, o.height, attractor->pointsCount, SystemAvailableMemory());
        !refusal.empty()) {
        io.err << "zephyra render: " << refusal << "\n";
        return EXIT_FAILED;
    }
    if (!session.Show(attractor, SA_NO_SEARCH))
        return session.FailureCode();
    if (!session.OrbitStaysBounded("render", *attractor))
        return EXIT_FAILED;
    ViewFlags flags;
    flags.blackWhite = settings.blackWhite;
    Picture image(o.width, o.height);
    const std::int64_t drawn = PrintPoints(*attractor, session.document.buffer(), flags,
                                           session.document.defaults(), image, {0, 0, o.width, o.height});
    if (drawn == 0) {
        io.err
            << "zephyra render: no point of '" << attractor->code
            << "' falls inside the picture: its camera (zoom, field of view, turn or pan) looks past them\n";
        return EXIT_FAILED;
    }
    if (IsOneColour(image)) {
        io.err << "zephyra render: the points of '" << attractor->code
               << "' are drawn in the colour of the background: the picture would show nothing\n";
        return EXIT_FAILED;
    }
    if (const std::string error =
            WritePngFile(output, EncodePng(image, PictureTexts(*attractor, settings), settings.dotsPerInch));
        !error.empty()) {
        io.err << "zephyra render: " << error << "\n";
        return EXIT_FAILED;
    }
    if (!io.quiet)
        io.err << "Wrote " << output << " (" << o.width << "x" << o.height << ", " << attractor->pointsCount
               << " points)\n";
    return EXIT_OK;
}

int RunRender(const ParsedArguments& parsed, CommandIo& io)
{
    const auto from = parsed.Value("from");
    parsed.ExpectPositional(from ? 0 : 1, "CODE");
    const auto output = parsed.Value("output");
    if (!output || output->empty())
        throw UsageError("missing -o FILE.png");
    // A picture has no place on a terminal, and one named otherwise would be a PNG all the same.
    if (*output == "-")
        throw UsageError("-o - would write the picture to standard output: name a \".png\" file");
    if (!HasExtension(*output, ".png"))
        throw UsageError("-o must name a \".png\" file: '" + *output + "'");
    // A folder that is missing or read-only is said before minutes of work, not after.
    if (const std::string problem = WritableFileProblem(*output); !problem.empty()) {
        io.err << "zephyra render: " << problem << "\n";
        return EXIT_FAILED;
    }
    const bool densityOption = parsed.Has("density");
    // In a density render --points counts the free-running points, not the exact orbit's.
    ComputeOptions compute;
    if (densityOption) {
        if (const auto v = parsed.Value(START_OPTION))
            compute.start = ParseStartPoint(*v, "--start");
        if (const auto v = parsed.Value("seed"))
            compute.seed = ParseLargeCount(*v, "--seed");
        compute.coefficients = ReadCoefficientOptions(parsed);
    } else {
        compute = ReadComputeOptions(parsed);
    }
    CliSession session(io, compute);
    PictureSettings settings;
    AttractorRef attractor;
    if (from) {
        attractor = StoredRecord(*from, parsed, session.document.defaults(), settings, io);
        if (!attractor)
            return EXIT_FAILED;
        if (!attractor->valid) {
            io.err << "zephyra render: " << *from << ": the record's code \"" << attractor->refusedCode
                   << "\" is refused\n";
            return EXIT_FAILED;
        }
        if (compute.points)
            attractor->pointsCount = *compute.points;
        ApplyCoefficientOptions(compute.coefficients, *attractor);
    } else {
        attractor = session.FromCode(parsed.Positional()[0]);
    }
    ApplyCamera(parsed, *attractor); // checked before the computation, which keeps the camera
    if (!ApplyTurn4DOptions(parsed, *attractor)) {
        io.err << "zephyra render: --xw, --yw and --zw need a four-dimensional case\n";
        return EXIT_FAILED;
    }
    settings.blackWhite = settings.blackWhite || parsed.Has("bw");
    if (const auto v = parsed.Value(DPI_OPTION)) // within its limits, as the parser checked
        settings.dotsPerInch = ParseCount(*v, "--dpi");
    if (!(densityOption || settings.density)) {
        for (const CommandOption& option : DensityCommandOptions())
            if (parsed.Has(option)) {
                io.err << "zephyra render: " << option.names << " needs --density\n";
                return EXIT_USAGE;
            }
        return RenderPointsFile(session, attractor, settings, parsed, *output);
    }
    ApplyDensityOptions(parsed, settings);
    if (parsed.Has("fit") && parsed.Has(NO_FIT_OPTION))
        throw UsageError("--fit and --no-fit exclude each other");
    // A camera nobody moved frames nothing in particular; a picture brings its own settings.
    if (attractor->HasDefaultCamera() && !parsed.Has(NO_FIT_OPTION) && !(from && IsPictureFile(*from)))
        settings.options.fit = true;
    if (!attractor->valid) {
        io.err << "zephyra render: '" << parsed.Positional()[0] << "' is not an attractor code\n";
        return EXIT_FAILED;
    }
    return RenderDensityFile(session, *attractor, settings, *output);
}

std::vector<CommandOption> RenderOptions()
{
    std::vector<CommandOption> options = {
        {"-o,--output", "FILE", "the picture to write (replaced only when the whole picture is written)"},
        {"--from", "FILE",
         "the record of a picture made by this program (with its settings), or of a\n"
         "document or configuration file"},
        {"--index", "I", "with --from, the I-th record of a document (default 1)"},
        {"--size", "WxH", "picture size in pixels (default 800x600; 1920x1080 with --density)"},
        {"--points", "N",
         "number of points, at least 1 (default 50000, at most 2147483647; with --density\n"
         "100000000, at most 1000000000000)",
         1, static_cast<std::int64_t>(LARGEST_DENSITY_POINTS)},
        START_OPTION,
        COEF_OPTION,
        {"--seed", "S", "seed of the dimension estimate (default: the time) or of the density orbits (1)"},
        YAW_OPTION,
        PITCH_OPTION,
        ZOOM_OPTION,
        FOV_OPTION,
        TURN4D_OPTIONS[0],
        TURN4D_OPTIONS[1],
        TURN4D_OPTIONS[2],
        DPI_OPTION,
        {"--bw", "", "black points on white (with --density, a grey density on white)"},
        {"--density", "", "draw a density picture instead, with the options below"},
        {"", "", "With --density, many orbits run on every core and each pixel shows how often they pass:"},
    };
    options.insert(options.end(), DensityCommandOptions().begin(), DensityCommandOptions().end());
    options.push_back(NO_FIT_OPTION);
    return options;
}

} // namespace

Subcommand RenderCommand()
{
    return {
        "render",
        "render CODE|--from FILE -o FILE.png [OPTIONS]",
        "Draws the attractor of CODE, or a record stored in a picture, a \".zpr\" document or a\n"
        "configuration file, into a compressed PNG picture that carries the record; needs no display.\n"
        "Without --density it computes the orbit and draws it as the printout does (one pixel a point).\n",
        RenderOptions(),
        "A progress bar shows on a terminal; Ctrl+C stops and writes nothing.\n",
        RunRender};
}

} // namespace zephyra::cli
