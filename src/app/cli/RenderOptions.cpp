#include "RenderOptions.h"

#include "Attractor.h"
#include "Subcommand.h"

namespace zephyra::cli {

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
        ParseSize(*v, LARGEST_DENSITY_SIDE, o.width, o.height);
    if (const auto v = parsed.Value("points")) {
        o.points = ParseSeed(*v, "--points");
        if (o.points == 0)
            throw UsageError("bad number for --points: '" + *v + "' (at least 1)");
    }
    if (const auto v = parsed.Value(SUPERSAMPLE_OPTION)) // within its limits, as the parser checked
        o.supersample = ParseCount(*v, "--supersample");
    if (const auto v = parsed.Value(TONE_OPTION)) {
        const auto tone = ToneMapNamed(*v);
        if (!tone)
            throw UsageError("unknown tone map '" + *v + "' (" + ChoiceNames(TONE_CHOICES) + ")");
        o.tone = *tone;
    }
    if (const auto v = parsed.Value(GAMMA_OPTION)) {
        o.gamma = ParseNumber(*v, "--gamma");
        if (!(o.gamma > 0.0f) || o.gamma > LARGEST_GAMMA)
            throw UsageError("bad number for --gamma: '" + *v + "' (above 0, at most " +
                             std::to_string(static_cast<int>(LARGEST_GAMMA)) + ")");
    }
    if (const auto v = parsed.Value(SMOOTH_OPTION)) {
        o.smooth = ParseNumber(*v, "--smooth");
        if (!(o.smooth >= 0.0f) || o.smooth > LARGEST_SMOOTH)
            throw UsageError("bad number for --smooth: '" + *v + "' (0 to " +
                             std::to_string(static_cast<int>(LARGEST_SMOOTH)) + ")");
    }
    if (const auto v = parsed.Value(COLORS_OPTION)) {
        const auto palette = PaletteNamed(*v);
        if (!palette)
            throw UsageError("unknown colour map '" + *v + "' (" + ChoiceNames(PALETTE_CHOICES) + ")");
        o.palette = *palette;
    }
    if (const auto v = parsed.Value(BACKGROUND_OPTION); v && !ReadBackground(*v, o))
        throw UsageError("bad colour for --background: '" + *v + "' (RRGGBB or " +
                         std::string(TRANSPARENT_BACKGROUND) + ")");
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
        const std::int32_t mib = ParseCount(*v, "--memory"); // within its limits, as the parser checked
        o.memoryLimit = static_cast<std::size_t>(mib) << 20;
    }
}

} // namespace zephyra::cli
