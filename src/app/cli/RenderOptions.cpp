#include "RenderOptions.h"

#include "Attractor.h"
#include "DensityOptionTable.h"
#include "Subcommand.h"
#include "TableOptions.h"

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

const std::vector<CommandOption>& DensityCommandOptions()
{
    static const std::vector<CommandOption> options = CommandOptionsOf(DensityOptionRows());
    return options;
}

void ApplyDensityOptions(const ParsedArguments& parsed, PictureSettings& settings)
{
    DensityOptions& o = settings.options;
    settings.density = true;
    if (const auto v = parsed.Value("size"))
        ParseSize(*v, LARGEST_DENSITY_SIDE, o.width, o.height);
    if (const auto v = parsed.Value("points")) {
        o.points = ParseLargeCount(*v, "--points");
        if (o.points == 0)
            throw UsageError("bad number for --points: '" + *v + "' (at least 1)");
    }
    if (const auto v = parsed.Value("seed"))
        o.seed = ParseLargeCount(*v, "--seed");
    for (const DensityOptionRow& row : DensityOptionRows()) {
        const std::optional<std::string> v =
            row.option.empty() ? std::nullopt : parsed.Value(row.option.substr(2));
        if (!v)
            continue;
        DensityOptions read = o;
        if (!row.read(row.IsFlag() ? "1" : *v, read) || !row.within(read))
            throw UsageError("bad value for " + row.option + ": '" + *v + "' (" + row.limits + ")");
        o = read;
    }
}

} // namespace zephyra::cli
