#include "DiscoveryOptions.h"

#include "Subcommand.h"

#include <algorithm>
#include <sstream>
#include <thread>

namespace zephyra::cli {

namespace {
// More workers than this only add threads that wait for a core.
constexpr int MOST_JOBS = 256;
} // namespace

Range ParseRange(const std::string& text, std::string_view what)
{
    const std::size_t dots = text.find("..");
    if (dots == std::string::npos)
        throw UsageError("bad range for " + std::string(what) + ": '" + text + "' (A..B)");
    const Range range{ParseNumber(text.substr(0, dots), what), ParseNumber(text.substr(dots + 2), what)};
    if (range.low > range.high)
        throw UsageError("bad range for " + std::string(what) + ": '" + text + "' (A must not exceed B)");
    return range;
}

std::string_view DefaultFilterNote()
{
    static const std::string note = [] {
        const SearchFilter pleasing = PleasingFilter();
        std::ostringstream text;
        text << "Unless --all is given, only finds the Gallery would show are kept:\nl at least "
             << pleasing.minLyapunov << ", f within " << pleasing.dimension.low << ".."
             << pleasing.dimension.high << ", fill within " << pleasing.fill.low << ".." << pleasing.fill.high
             << ";\n--min-lyapunov, --dimension and --fill each replace one of these tests.\n";
        return text.str();
    }();
    return note;
}

DiscoveryOptions ReadDiscoveryOptions(const ParsedArguments& arguments)
{
    DiscoveryOptions options;
    if (!arguments.Has("all"))
        options.filter = PleasingFilter();
    options.jobs = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, MOST_JOBS);
    if (const auto v = arguments.Value("count"))
        options.count = ParseCount(*v, "--count");
    if (const auto v = arguments.Value("jobs")) {
        options.jobs = ParseCount(*v, "--jobs");
        if (options.jobs < 1 || options.jobs > MOST_JOBS)
            throw UsageError("bad number for --jobs: '" + *v + "' (1 to 256)");
    }
    if (const auto v = arguments.Value("min-lyapunov"))
        options.filter.minLyapunov = ParseNumber(*v, "--min-lyapunov");
    if (const auto v = arguments.Value("dimension"))
        options.filter.dimension = ParseRange(*v, "--dimension");
    if (const auto v = arguments.Value("fill"))
        options.filter.fill = ParseRange(*v, "--fill");
    options.filter.hyperchaotic = arguments.Has("hyperchaotic");
    if (const auto v = arguments.Value("min-ky"))
        options.filter.minKaplanYorke = ParseNumber(*v, "--min-ky");
    if (const auto v = arguments.Value("output"))
        options.output = *v;
    if (const auto v = arguments.Value("sheet"))
        options.sheet = *v;
    return options;
}

} // namespace zephyra::cli
