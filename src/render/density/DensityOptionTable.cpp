#include "DensityOptionTable.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace zephyra {

namespace {

using namespace option_fields;
using Field = OptionField<DensityOptions>;

std::string ColorHex(const Rgb& c)
{
    auto byte = [](float v) {
        return static_cast<unsigned>((v > 0.0f ? std::min(v, 1.0f) : 0.0f) * 255.0f + 0.5f);
    };
    char text[8];
    std::snprintf(text, sizeof text, "%02x%02x%02x", byte(c[0]), byte(c[1]), byte(c[2]));
    return text;
}

// RRGGBB, or none at all; empty for the attractor's own background.
Field Background()
{
    return {.limits = "RRGGBB or " + std::string(TRANSPARENT_BACKGROUND),
            .optional = true,
            .text =
                [](const DensityOptions& o) {
                    return o.transparent  ? std::string(TRANSPARENT_BACKGROUND)
                           : o.background ? ColorHex(*o.background)
                                          : std::string();
                },
            .read =
                [](std::string_view text, DensityOptions& o) {
                    const bool transparent = text == TRANSPARENT_BACKGROUND;
                    const std::optional<Rgb> color = ParseHexColor(text);
                    if (!transparent && !color)
                        return false;
                    o.transparent = transparent;
                    o.background = color;
                    return true;
                }};
}

// Mebibytes of canvas, parsed within 1..high.
Field Mebibytes(std::size_t DensityOptions::*member, std::int64_t high)
{
    return {.limits = "1 to " + std::to_string(high),
            .low = 1,
            .high = high,
            .text = [member](const DensityOptions& o) { return std::to_string(o.*member >> 20); },
            .read =
                [member](std::string_view text, DensityOptions& o) {
                    std::size_t mib = 0;
                    if (!ReadWhole(text, mib))
                        return false;
                    o.*member = mib << 20;
                    return true;
                }};
}

std::vector<DensityOptionRow> MakeRows()
{
    using O = DensityOptions;
    return MakeOptionRows<O>({
        {"points", "", "", "", "the number of points",
         Whole<O>(&O::points, 1, static_cast<std::int64_t>(LARGEST_DENSITY_POINTS), false)},
        {"supersample", "--supersample", "S",
         "canvas S times larger each way, averaged down ({limits}, default {default})", "supersampling",
         Whole<O>(&O::supersample, LEAST_SUPERSAMPLE, LARGEST_SUPERSAMPLE, true)},
        {"tone", "--tone", "T", "{limits} (default {default})", "the tone map",
         Choices<O>(&O::tone, TONE_CHOICES)},
        {"gamma", "--gamma", "G", "the power of --tone gamma (default {default})", "gamma",
         Positive<O>(&O::gamma, LARGEST_GAMMA)},
        {"smooth", "--smooth", "R",
         "spread a cell hit c times over R / sqrt(c) pixels: sparse regions\n"
         "without grain, dense ones sharp ({limits}, 0 none; default {default})",
         "the smoothing radius", UpTo<O>(&O::smooth, LARGEST_SMOOTH)},
        {"colors", "--colors", "C", "{limits}\n(default {default}: the view's point colours)",
         "the colour map", Choices<O>(&O::palette, PALETTE_CHOICES)},
        {"fit", "--fit", "",
         "move the camera so that the attractor fills the picture, centred, with margins of 5 %\n"
         "of the shorter side (render: the default for a camera nobody moved)",
         "", Flag<O>(&O::fit)},
        {"shade", "--shade", "",
         "darken what lies behind its neighbours, giving the folds of a 3D or 4D attractor\n"
         "volume (a 2D one has no depth and ignores it)",
         "", Flag<O>(&O::shade)},
        {"background", "--background", "RRGGBB|transparent",
         "(default: a palette's colour for no density, else the attractor's\n"
         "background colour; a palette fades into a given one);\n"
         "transparent: RGBA with the density as alpha",
         "the background", Background()},
        {"depth", "--depth", "8|16", "bits a channel (default {default})", "the depth",
         Either<O>(&O::depth, 8, 16)},
        {"seed", "", "", "", "the seed", Any<O>(&O::seed)},
        {"", "--threads", "T",
         "worker threads, {limits} (default: every core); with --seed, the same bytes again",
         "the number of threads", Whole<O>(&O::threads, 1, MOST_THREADS, true, false)},
        {"", "--memory", "MiB",
         "canvas memory; larger pictures render in strips (default {default}, less\n"
         "when the machine or its memory cgroup has less to give)",
         "the canvas memory", Mebibytes(&O::memoryLimit, LARGEST_MEMORY_MIB)},
    });
}

} // namespace

const std::vector<DensityOptionRow>& DensityOptionRows()
{
    static const std::vector<DensityOptionRow> rows = MakeRows();
    return rows;
}

const DensityOptionRow* DensityOptionRowOf(std::string_view keyOrOption)
{
    return OptionRowOf(DensityOptionRows(), keyOrOption);
}

std::string DensityOptionWords(const DensityOptions& options, const std::string& between)
{
    return OptionWords(DensityOptionRows(), options, between);
}

std::optional<bool> ReadDensityOptionWord(std::string_view key, std::string_view text,
                                          DensityOptions& options)
{
    return ReadOptionWord(DensityOptionRows(), key, text, options);
}

std::string DensityOptionsProblem(const DensityOptions& options)
{
    return OptionsProblem(DensityOptionRows(), options);
}

std::optional<Rgb> ParseHexColor(std::string_view text)
{
    unsigned value = 0;
    if (text.size() != 6)
        return std::nullopt;
    const auto r = std::from_chars(text.data(), text.data() + 6, value, 16);
    if (r.ec != std::errc() || r.ptr != text.data() + 6)
        return std::nullopt;
    return Rgb{static_cast<float>((value >> 16) & 255) / 255.0f,
               static_cast<float>((value >> 8) & 255) / 255.0f, static_cast<float>(value & 255) / 255.0f};
}

} // namespace zephyra
