#pragma once
#include "CliArguments.h"
#include "RenderOptions.h"
#include "SearchFilter.h"

#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <vector>

namespace zephyra::cli {

// Options of the commands that find many attractors at once (search, variants).
struct DiscoveryOptions {
    int count = 1; // --count K
    int jobs = 1;  // --jobs J (default: all cores)
    // PleasingFilter() unless --all; --min-lyapunov L, --dimension A..B, --fill A..B, --hyperchaotic
    // and --min-ky A set one test each.
    SearchFilter filter;
    std::optional<std::filesystem::path> output; // -o FILE.zpr
    std::optional<std::filesystem::path> sheet;  // --sheet FILE.png
};

// The options of search, in the order its help lists them; variants takes them and --start.
inline const std::vector<CommandOption> DISCOVERY_OPTIONS = {
    {"--count", "K", "number of attractors to find, 1 to 1000000 (default 1)", 1, 1000000},
    {"--jobs", "J", "number of workers (default: every core)"},
    {"--seed", "S", "seed of the random generator, for a repeatable run (default: the time)"},
    {"--points", "N", "number of points of each attractor, at least 1 (default 50000)", 1,
     std::numeric_limits<std::int32_t>::max()},
    {"--min-lyapunov", "L", "keep only finds whose Lyapunov exponent l is at least L"},
    {"--dimension", "A..B", "keep only finds whose correlation dimension f is within A..B"},
    {"--fill", "A..B",
     "keep only finds that reach a share A..B of a 64x64 thumbnail\n"
     "(low: a near-cycle or a thin curve; high: a smear)"},
    {"--hyperchaotic", "",
     "keep only finds with two or more positive Lyapunov exponents (measures the\n"
     "spectrum of each find; the JSON then carries it)"},
    {"--min-ky", "A", "keep only finds whose Kaplan-Yorke dimension is at least A (the same)"},
    {"--all", "", "keep every chaotic find: no default l, f and fill tests (see below)"},
    {"-o,--output", "FILE.zpr", "write the finds as a document"},
    {"--sheet", "FILE.png",
     "write a contact sheet: the density thumbnail of each find, with the\n"
     "first letters of its code and its l, f and fill under it"},
    {"--json", "", "one JSON object per attractor instead, with its fill"},
};

// The help's note on the default tests, with their values.
[[nodiscard]] std::string_view DefaultFilterNote();

[[nodiscard]] DiscoveryOptions ReadDiscoveryOptions(const ParsedArguments& arguments);

// "A..B" with A <= B.
[[nodiscard]] Range ParseRange(const std::string& text, std::string_view what);

} // namespace zephyra::cli
