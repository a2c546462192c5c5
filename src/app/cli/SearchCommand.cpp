#include "CliSession.h"
#include "FindOutput.h"
#include "SearchTries.h"

namespace zephyra::cli {

namespace {
int RunSearch(const std::vector<std::string>& arguments, CommandIo& io)
{
    const ParsedArguments parsed(WithLongOptions(arguments),
                                 {COUNT_OPTION, JOBS_OPTION, POINTS_OPTION, SEED_OPTION, MIN_LYAPUNOV_OPTION,
                                  DIMENSION_OPTION, FILL_OPTION, OUTPUT_OPTION, SHEET_OPTION, JSON_OPTION});
    parsed.ExpectPositional(1, "LETTER");
    const std::string& letter = parsed.Positional()[0];
    if (letter.size() != 1)
        throw UsageError("LETTER is one case letter, 'E' to '^'");
    const ComputeOptions compute = ReadComputeOptions(parsed);
    const DiscoveryOptions options = ReadDiscoveryOptions(parsed);

    CliSession session(io, compute);
    if (!DescribeCase(letter[0])) {
        session.host.MessageBox("Wrong attractor configuration!", "Attractor", MessageIcon::Warning);
        return EXIT_FAILED;
    }
    return RunAndReport(session, compute, options, compute.seed.value_or(RandomGenerator::TimeSeed()),
                        RandomTries(letter[0], session.document.defaults));
}
} // namespace

Subcommand SearchCommand()
{
    return {"search",
            "search LETTER [--count K] [--jobs J] [--seed S] [--points N] [--min-lyapunov L]\n"
            "       [--dimension A..B] [--fill A..B] [-o FILE.zpr] [--sheet FILE.png] [--json]",
            "Searches K chaotic attractors of the case LETTER ('E' to '^') at random on J workers and\n"
            "prints each accepted code with the status texts of panes 1 to 4. A seed gives the same\n"
            "finds whatever J. Ctrl+C stops the search and keeps what was found.\n"
            "  --count K           number of attractors to find (default 1)\n"
            "  --jobs J            number of workers (default: every core)\n"
            "  --seed S            seed of the random generator, for a repeatable run (default: the time)\n"
            "  --points N          number of points of each attractor (default 50000)\n"
            "  --min-lyapunov L    keep only finds whose Lyapunov exponent l is at least L\n"
            "  --dimension A..B    keep only finds whose correlation dimension f is within A..B\n"
            "  --fill A..B         keep only finds that reach a share A..B of a 64x64 thumbnail\n"
            "                      (low: a near-cycle or a thin curve; high: a smear)\n"
            "  -o FILE.zpr         write the finds as a document\n"
            "  --sheet FILE.png    write a contact sheet: the density thumbnail of each find, with the\n"
            "                      first letters of its code and its l, f and fill under it\n"
            "  --json              one JSON object per attractor instead, with its fill\n",
            RunSearch};
}

} // namespace zephyra::cli
