#include "CliSession.h"
#include "PngWriter.h"
#include "SoftwareRenderer.h"

#include <ostream>

namespace zephyra::cli {

namespace {

constexpr OptionSpec OUTPUT_OPTION{"output", true};
constexpr OptionSpec SIZE_OPTION{"size", true};
constexpr OptionSpec YAW_OPTION{"yaw", true};
constexpr OptionSpec PITCH_OPTION{"pitch", true};
constexpr OptionSpec ZOOM_OPTION{"zoom", true};
constexpr OptionSpec FOV_OPTION{"fov", true};
constexpr OptionSpec BW_OPTION{"bw", false};

constexpr int DEFAULT_WIDTH = 800;
constexpr int DEFAULT_HEIGHT = 600;
// Keeps the picture within about 256 MB, as a printout is.
constexpr int LARGEST_SIDE = 16384;
constexpr long long LARGEST_AREA = 256LL * 1024 * 1024 / 3;

struct PictureSize {
    int width = DEFAULT_WIDTH;
    int height = DEFAULT_HEIGHT;
};

PictureSize ParseSize(const std::string& text)
{
    const std::size_t x = text.find('x');
    if (x == std::string::npos)
        throw UsageError("bad size for --size: '" + text + "' (WIDTHxHEIGHT)");
    const PictureSize size{ParseCount(text.substr(0, x), "--size"), ParseCount(text.substr(x + 1), "--size")};
    if (size.width < 1 || size.height < 1 || size.width > LARGEST_SIDE || size.height > LARGEST_SIDE ||
        static_cast<long long>(size.width) * size.height > LARGEST_AREA)
        throw UsageError("bad size for --size: '" + text +
                         "' (1 to 16384 pixels a side, at most 89 million in all)");
    return size;
}

void ApplyCamera(const ParsedArguments& parsed, Attractor& camera)
{
    const std::pair<OptionSpec, float Attractor::*> fields[] = {
        {YAW_OPTION, &Attractor::yaw}, {PITCH_OPTION, &Attractor::pitch},
        {ZOOM_OPTION, &Attractor::zoom}, {FOV_OPTION, &Attractor::fov}};
    for (const auto& [option, field] : fields)
        if (const auto v = parsed.Value(option.name))
            camera.*field = ParseNumber(*v, "--" + std::string(option.name));
}

int RunRender(const std::vector<std::string>& arguments, CommandIo& io)
{
    const ParsedArguments parsed(WithLongOptions(arguments),
                                 {OUTPUT_OPTION, SIZE_OPTION, POINTS_OPTION, START_OPTION, SEED_OPTION,
                                  YAW_OPTION, PITCH_OPTION, ZOOM_OPTION, FOV_OPTION, BW_OPTION});
    parsed.ExpectPositional(1, "CODE");
    const auto output = parsed.Value(OUTPUT_OPTION.name);
    if (!output || output->empty())
        throw UsageError("missing -o FILE.png");
    const PictureSize size =
        parsed.Value(SIZE_OPTION.name) ? ParseSize(*parsed.Value(SIZE_OPTION.name)) : PictureSize{};
    const ComputeOptions options = ReadComputeOptions(parsed);
    CliSession session(io, options);
    const AttractorRef attractor = session.FromCode(parsed.Positional()[0]);
    ApplyCamera(parsed, *attractor); // checked before the computation, which keeps the camera
    if (!session.Show(attractor, SA_NO_SEARCH))
        return EXIT_FAILED;
    ViewFlags flags;
    flags.blackWhite = parsed.Has(BW_OPTION.name);
    RgbImage image(size.width, size.height);
    PrintPoints(*attractor, session.document.buffer, flags, session.document.defaults, image,
                {0, 0, size.width, size.height});
    if (const std::string error = WritePng(image, *output); !error.empty()) {
        io.err << "zephyra render: " << error << "\n";
        return EXIT_FAILED;
    }
    io.out << "Wrote " << *output << " (" << size.width << "x" << size.height << ", "
           << attractor->pointsCount << " points)\n";
    return EXIT_OK;
}

} // namespace

Subcommand RenderCommand()
{
    return {"render",
            "render CODE -o FILE.png [--size WxH] [--points N] [--yaw Y --pitch P --zoom Z --fov F] [--bw]",
            "Computes the attractor of CODE without search and draws it as the printout does (one pixel\n"
            "a point, no box or cross) into a PNG picture; needs no display.\n"
            "  -o FILE       the picture to write (replaced only when the whole picture is written)\n"
            "  --size WxH    picture size in pixels (default 800x600)\n"
            "  --points N    number of points (default 50000)\n"
            "  --start P     start point x0,y0,z0,w0 (default 0.05,0.05,0.05,0.05)\n"
            "  --seed S      seed of the dimension estimate (default: the time)\n"
            "  --yaw Y, --pitch P   rotation in degrees (default 0, 0)\n"
            "  --zoom Z      distance of the eye from the cube's centre (default 2.5)\n"
            "  --fov F       vertical field of view in degrees (default 60)\n"
            "  --bw          black points on white\n",
            RunRender};
}

} // namespace zephyra::cli
