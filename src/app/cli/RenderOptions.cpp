#include "RenderOptions.h"

#include "Attractor.h"
#include "Subcommand.h"

namespace zephyra::cli {

namespace {
constexpr int DENSITY_LARGEST_SIDE = 65535;
constexpr int LARGEST_SUPERSAMPLE = 8;
constexpr std::int32_t LARGEST_MEMORY_MIB = 1 << 20;
} // namespace

void ParseSize(const std::string& text, int largestSide, int& width, int& height)
{
    const std::size_t x = text.find('x');
    if (x == std::string::npos)
        throw UsageError("bad size for --size: '" + text + "' (WIDTHxHEIGHT)");
    width = ParseCount(text.substr(0, x), "--size");
    height = ParseCount(text.substr(x + 1), "--size");
    if (width < 1 || height < 1 || width > largestSide || height > largestSide)
        throw UsageError("bad size for --size: '" + text + "' (1 to " + std::to_string(largestSide) +
                         " pixels a side)");
}

bool ApplyTurn4DOptions(const ParsedArguments& parsed, Attractor& attractor)
{
    float Attractor::*const fields[] = {&Attractor::xw, &Attractor::yw, &Attractor::zw};
    float angles[3] = {attractor.xw, attractor.yw, attractor.zw};
    bool given = false;
    for (int k = 0; k < 3; ++k)
        if (const auto v = parsed.Value(TURN4D_OPTIONS[static_cast<std::size_t>(k)])) {
            angles[k] = ParseNumber(*v, TURN4D_OPTIONS[static_cast<std::size_t>(k)].names);
            given = true;
        }
    if (given && attractor.dimension != 4)
        return false;
    for (int k = 0; k < 3; ++k)
        attractor.*fields[k] = angles[k];
    return true;
}

void ApplyDensityOptions(const ParsedArguments& parsed, PictureSettings& settings)
{
    DensityOptions& o = settings.options;
    settings.density = true;
    if (const auto v = parsed.Value("size"))
        ParseSize(*v, DENSITY_LARGEST_SIDE, o.width, o.height);
    if (const auto v = parsed.Value("points")) {
        o.points = ParseSeed(*v, "--points");
        if (o.points == 0)
            throw UsageError("bad number for --points: '" + *v + "' (at least 1)");
    }
    if (const auto v = parsed.Value(SUPERSAMPLE_OPTION)) {
        o.supersample = ParseCount(*v, "--supersample");
        if (o.supersample < 1 || o.supersample > LARGEST_SUPERSAMPLE)
            throw UsageError("bad number for --supersample: '" + *v + "' (1 to 8)");
    }
    if (const auto v = parsed.Value(TONE_OPTION)) {
        const auto tone = ToneMapNamed(*v);
        if (!tone)
            throw UsageError("unknown tone map '" + *v + "' (log, eqhist, gamma or linear)");
        o.tone = *tone;
    }
    if (const auto v = parsed.Value(GAMMA_OPTION)) {
        o.gamma = ParseNumber(*v, "--gamma");
        if (!(o.gamma > 0.0f) || o.gamma > 100.0f)
            throw UsageError("bad number for --gamma: '" + *v + "' (above 0, at most 100)");
    }
    if (const auto v = parsed.Value(COLORS_OPTION)) {
        const auto palette = PaletteNamed(*v);
        if (!palette)
            throw UsageError("unknown colour map '" + *v +
                             "' (coords, gray, magma, inferno, viridis, cividis or turbo)");
        o.palette = *palette;
    }
    if (const auto v = parsed.Value(BACKGROUND_OPTION)) {
        o.background = ParseHexColor(*v);
        if (!o.background)
            throw UsageError("bad colour for --background: '" + *v + "' (RRGGBB)");
    }
    if (const auto v = parsed.Value(DEPTH_OPTION)) {
        o.depth = ParseCount(*v, "--depth");
        if (o.depth != 8 && o.depth != 16)
            throw UsageError("bad depth for --depth: '" + *v + "' (8 or 16)");
    }
    if (const auto v = parsed.Value(THREADS_OPTION))
        o.threads = ParseCount(*v, "--threads");
    if (const auto v = parsed.Value("seed"))
        o.seed = ParseSeed(*v, "--seed");
    if (parsed.Has(FIT_OPTION))
        o.fit = true;
    if (const auto v = parsed.Value(MEMORY_OPTION)) {
        const std::int32_t mib = ParseCount(*v, "--memory");
        if (mib < 1 || mib > LARGEST_MEMORY_MIB)
            throw UsageError("bad number for --memory: '" + *v + "' (MiB, 1 to 1048576)");
        o.memoryLimit = static_cast<std::size_t>(mib) << 20;
    }
}

} // namespace zephyra::cli
