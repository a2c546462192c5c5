#include "FuzzEntries.h"

#include "CliSession.h"
#include "CommandParser.h"
#include "DiscoveryOptions.h"
#include "FuzzCheck.h"
#include "RenderOptions.h"

#include <string>
#include <vector>

namespace zephyra::fuzz {

namespace {

// Arguments end at a NUL or a newline; a line holds few of them.
std::vector<std::string> Arguments(const std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t MOST_ARGUMENTS = 32;
    std::vector<std::string> arguments(1);
    for (std::size_t i = 0; i < size && arguments.size() <= MOST_ARGUMENTS; ++i) {
        if (data[i] == '\0' || data[i] == '\n')
            arguments.emplace_back();
        else
            arguments.back() += static_cast<char>(data[i]);
    }
    return arguments;
}

// The readers every command uses on its options, without the work the command would then do;
// what they accept is within what the work can take.
void ReadOptions(const cli::ParsedArguments& arguments)
{
    try {
        const cli::ComputeOptions compute = cli::ReadComputeOptions(arguments);
        FUZZ_CHECK(!compute.points || *compute.points >= 1);
    } catch (const cli::UsageError&) {
    }
    try {
        const cli::DiscoveryOptions discovery = cli::ReadDiscoveryOptions(arguments);
        FUZZ_CHECK(discovery.count >= 0 && discovery.jobs >= 1);
    } catch (const cli::UsageError&) {
    }
    try {
        PictureSettings settings;
        cli::ApplyDensityOptions(arguments, settings);
        const DensityOptions& o = settings.options;
        FUZZ_CHECK(o.width >= 1 && o.height >= 1 && o.points >= 1 && o.points <= LARGEST_DENSITY_POINTS);
        FUZZ_CHECK(o.threads >= 0 && o.threads <= MOST_THREADS);
    } catch (const cli::UsageError&) {
    }
}

} // namespace

int FuzzCommandLine(const std::uint8_t* data, std::size_t size)
{
    const cli::ParsedCommandLine line = cli::ParseCommandLine(Arguments(data, size));
    // A command line is either refused with a reason or read for a known command.
    FUZZ_CHECK(!line.error || !line.error->empty());
    if (!line.error && line.command)
        ReadOptions(line.arguments);
    return 0;
}

} // namespace zephyra::fuzz
