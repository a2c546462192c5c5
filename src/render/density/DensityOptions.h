#pragma once
#include "Choice.h"
#include "DisplaySettings.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zephyra {

// The density picture's options, their names and their limits: the renderer's check, the command
// line, the picture record, the export dialogs and the help all read them here.

enum class ToneMap { Log, EqualizedHistogram, Gamma, Linear };
// Coordinates colours a pixel as the view colours its points; the others map the density.
enum class Palette { Coordinates, Gray, Magma, Inferno, Viridis, Cividis, Turbo };

inline constexpr std::array<Choice<ToneMap>, 4> TONE_CHOICES{
    {{"log", "Logarithmic", ToneMap::Log},
     {"eqhist", "Histogram equalised", ToneMap::EqualizedHistogram},
     {"gamma", "Gamma", ToneMap::Gamma},
     {"linear", "Linear", ToneMap::Linear}}};
inline constexpr std::array<Choice<Palette>, 7> PALETTE_CHOICES{
    {{"coords", "The attractor's own colours", Palette::Coordinates},
     {"gray", "Gray", Palette::Gray},
     {"magma", "Magma", Palette::Magma},
     {"inferno", "Inferno", Palette::Inferno},
     {"viridis", "Viridis", Palette::Viridis},
     {"cividis", "Cividis", Palette::Cividis},
     {"turbo", "Turbo", Palette::Turbo}}};

[[nodiscard]] constexpr std::optional<ToneMap> ToneMapNamed(std::string_view name)
{
    return ChoiceNamed(TONE_CHOICES, name);
}
[[nodiscard]] constexpr std::optional<Palette> PaletteNamed(std::string_view name)
{
    return ChoiceNamed(PALETTE_CHOICES, name);
}
[[nodiscard]] constexpr std::string_view NameOf(ToneMap tone)
{
    return TONE_CHOICES[static_cast<std::size_t>(ChoiceIndex(TONE_CHOICES, tone))].name;
}
[[nodiscard]] constexpr std::string_view NameOf(Palette palette)
{
    return PALETTE_CHOICES[static_cast<std::size_t>(ChoiceIndex(PALETTE_CHOICES, palette))].name;
}

// The background that is none, in files and on the command line (else RRGGBB).
inline constexpr std::string_view TRANSPARENT_BACKGROUND = "transparent";

// A side of the picture: PNG allows more, but no viewer shows it and the canvas would not fit.
inline constexpr int LARGEST_DENSITY_SIDE = 65535;
inline constexpr int LEAST_SUPERSAMPLE = 1;
inline constexpr int LARGEST_SUPERSAMPLE = 8;  // 64 canvas cells a pixel
inline constexpr float LARGEST_GAMMA = 100.0f; // gamma is above 0 and at most this
// The smoothing's largest kernel radius, in picture pixels: a kernel costs its area in canvas cells.
inline constexpr float LARGEST_SMOOTH = 10.0f;
inline constexpr float DEFAULT_SMOOTH = 2.0f;
// More threads than this only wait for a core; a picture's settings may ask for any number.
inline constexpr int MOST_THREADS = 256;
// About 40 minutes at the fastest rate; past 2^64 a count would wrap around to almost nothing.
inline constexpr std::uint64_t LARGEST_DENSITY_POINTS = 1'000'000'000'000;
inline constexpr std::int32_t LARGEST_MEMORY_MIB = 1 << 20;

struct DensityOptions {
    int width = 1920;
    int height = 1080;
    int supersample = 2; // the canvas is S times larger each way; S x S blocks average
    std::uint64_t points = 100'000'000;
    ToneMap tone = ToneMap::Log;
    float gamma = 2.2f; // the power of ToneMap::Gamma: brightness = density^(1/gamma)
    // Adaptive density estimation: a cell hit c times spreads over smooth / sqrt(c) picture
    // pixels, so sparse regions lose their grain and dense ones stay sharp; 0 is none.
    float smooth = DEFAULT_SMOOTH;
    Palette palette = Palette::Coordinates;
    std::optional<Rgb> background; // else the display's bgColor
    bool transparent = false;      // no background at all: RGBA, the brightness as alpha
    int depth = 8;                 // 8 or 16 bits a channel
    int threads = 0;               // 0: every core; above MOST_THREADS, that many
    // Turn the camera's distance and pan so that the attractor fills the picture, centred, with
    // margins of 5 % of the shorter side (the scene's own camera is not changed).
    bool fit = false;
    // Darken what lies behind its neighbours (DepthShade.h), for 3D and 4D attractors; a flat
    // one has no depth to show and ignores it.
    bool shade = false;
    std::uint64_t seed = 1;
    std::size_t memoryLimit = std::size_t{2} << 30; // canvas bytes; above it, horizontal strips

    // Bytes a pixel of the finished picture takes: RGB or RGBA, 8 or 16 bits a channel.
    [[nodiscard]] std::size_t PixelBytes() const
    {
        return static_cast<std::size_t>(transparent ? 4 : 3) * static_cast<std::size_t>(depth / 8);
    }
};

} // namespace zephyra
