#pragma once
#include "CliArguments.h"
#include "RenderOptions.h"
#include "SearchFilter.h"

#include <filesystem>
#include <optional>

namespace zephyra::cli {

// Options of the commands that find many attractors at once (search, variants).
struct DiscoveryOptions {
    int count = 1;                               // --count K
    int jobs = 1;                                // --jobs J (default: all cores)
    SearchFilter filter;                         // --min-lyapunov L, --dimension A..B, --fill A..B
    std::optional<std::filesystem::path> output; // -o FILE.zpr
    std::optional<std::filesystem::path> sheet;  // --sheet FILE.png
};

inline constexpr OptionSpec COUNT_OPTION{"count", true};
inline constexpr OptionSpec JOBS_OPTION{"jobs", true};
inline constexpr OptionSpec MIN_LYAPUNOV_OPTION{"min-lyapunov", true};
inline constexpr OptionSpec DIMENSION_OPTION{"dimension", true};
inline constexpr OptionSpec FILL_OPTION{"fill", true};
inline constexpr OptionSpec SHEET_OPTION{"sheet", true};

[[nodiscard]] DiscoveryOptions ReadDiscoveryOptions(const ParsedArguments& arguments);

// "A..B" with A <= B.
[[nodiscard]] Range ParseRange(const std::string& text, std::string_view what);

} // namespace zephyra::cli
