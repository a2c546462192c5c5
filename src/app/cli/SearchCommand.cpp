#include "CliSession.h"
#include "FindOutput.h"
#include "SearchTries.h"

namespace zephyra::cli {

namespace {
int RunSearch(const ParsedArguments& parsed, CommandIo& io)
{
    parsed.ExpectPositional(1, "LETTER");
    const std::string& letter = parsed.Positional()[0];
    if (letter.size() != 1 || !DescribeCase(letter[0]))
        throw UsageError("LETTER is one case letter, 'E' to '^': '" + letter + "'");
    const ComputeOptions compute = ReadComputeOptions(parsed);
    const DiscoveryOptions options = ReadDiscoveryOptions(parsed);

    CliSession session(io, compute);
    return RunAndReport(session, compute, options, compute.seed.value_or(RandomGenerator::TimeSeed()),
                        RandomTries(letter[0], session.document.defaults()));
}
} // namespace

Subcommand SearchCommand()
{
    return {"search",
            "search LETTER [OPTIONS]",
            "Searches K chaotic attractors of the case LETTER ('E' to '^') at random on J workers and\n"
            "prints each accepted code with the status texts of panes 1 to 4. A seed gives the same\n"
            "finds whatever J. Ctrl+C stops the search and keeps what was found.\n",
            DISCOVERY_OPTIONS,
            DefaultFilterNote(),
            RunSearch};
}

} // namespace zephyra::cli
