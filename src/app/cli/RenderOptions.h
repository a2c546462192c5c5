#pragma once
#include "CliArguments.h"
#include "PictureRecord.h"

namespace zephyra::cli {

// The options of `zephyra render`: the point renderer's, and the density renderer's after --density.
inline constexpr OptionSpec OUTPUT_OPTION{"output", true};
inline constexpr OptionSpec SIZE_OPTION{"size", true};
inline constexpr OptionSpec DENSITY_OPTION{"density", false};
inline constexpr OptionSpec SUPERSAMPLE_OPTION{"supersample", true};
inline constexpr OptionSpec TONE_OPTION{"tone", true};
inline constexpr OptionSpec GAMMA_OPTION{"gamma", true};
inline constexpr OptionSpec COLORS_OPTION{"colors", true};
inline constexpr OptionSpec BACKGROUND_OPTION{"background", true};
inline constexpr OptionSpec DEPTH_OPTION{"depth", true};
inline constexpr OptionSpec THREADS_OPTION{"threads", true};
inline constexpr OptionSpec MEMORY_OPTION{"memory", true};
inline constexpr OptionSpec FROM_OPTION{"from", true};
inline constexpr OptionSpec INDEX_OPTION{"index", true};

// Applies the density options present on the command line over `settings` (the defaults, or
// those a picture was made with). Throws UsageError for a bad value.
void ApplyDensityOptions(const ParsedArguments& parsed, PictureSettings& settings);

// WIDTHxHEIGHT with each side within 1..largestSide.
void ParseSize(const std::string& text, int largestSide, int& width, int& height);

} // namespace zephyra::cli
