#include "CliSession.h"
#include "FindOutput.h"
#include "SearchTries.h"

#include <algorithm>
#include <cmath>

namespace zephyra::cli {

namespace {
// Codes tried at each distance: enough for a page of neighbours of the rarely chaotic cases.
constexpr int CODES_PER_DISTANCE = 256;

int RunVariants(const ParsedArguments& parsed, CommandIo& io)
{
    parsed.ExpectPositional(1, "CODE");
    const ComputeOptions compute = ReadComputeOptions(parsed);
    DiscoveryOptions options = ReadDiscoveryOptions(parsed);
    // A neighbour whose orbit does not stretch is no chaotic variant, whatever the other tests say.
    options.filter.minLyapunov = std::max(options.filter.minLyapunov, std::nextafter(0.0f, 1.0f));

    CliSession session(io, compute);
    const AttractorRef source = session.FromCode(parsed.Positional()[0]);
    if (!source->valid) {
        session.RefuseCode(parsed.Positional()[0]);
        return EXIT_FAILED;
    }
    const std::uint64_t seed = compute.seed.value_or(RandomGenerator::TimeSeed());
    return RunAndReport(session, compute, options, seed,
                        VariantTries(*source, seed, CODES_PER_DISTANCE, session.document.defaults()));
}

std::vector<CommandOption> VariantsOptions()
{
    std::vector<CommandOption> options = DISCOVERY_OPTIONS;
    options.insert(options.begin() + 4,
                   {"--start", "P", "start point x0,y0,z0,w0 of CODE and its neighbours"});
    return options;
}

std::string_view VariantsNotes()
{
    static const std::string notes = std::string(DefaultFilterNote()) +
                                     "A variant whose l is 0 or below is never listed, even with --all.\n";
    return notes;
}
} // namespace

Subcommand VariantsCommand()
{
    return {"variants",
            "variants CODE [OPTIONS]",
            "Finds K neighbours of the attractor CODE that are chaotic too: codes that differ from it in\n"
            "one to three coefficients by one or two letters, nearest first, printed as by search.\n",
            VariantsOptions(),
            VariantsNotes(),
            RunVariants};
}

} // namespace zephyra::cli
