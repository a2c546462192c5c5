#include "CliSession.h"

#include <ostream>

namespace zephyra::cli {

namespace {
constexpr OptionSpec COUNT_OPTION{"count", true};

int RunSearch(const std::vector<std::string>& arguments, CommandIo& io)
{
    const ParsedArguments parsed(arguments, {COUNT_OPTION, POINTS_OPTION, SEED_OPTION, JSON_OPTION});
    parsed.ExpectPositional(1, "LETTER");
    const std::string& letter = parsed.Positional()[0];
    if (letter.size() != 1)
        throw UsageError("LETTER is one case letter, 'E' to '^'");
    const ComputeOptions options = ReadComputeOptions(parsed);
    const int count = parsed.Value(COUNT_OPTION.name) ? ParseCount(*parsed.Value(COUNT_OPTION.name), "--count") : 1;

    CliSession session(io, options);
    for (int k = 0; k < count; ++k) {
        const AttractorRef attractor =
            Attractor::CreateRandom(letter[0], session.document.defaults, session.document.random);
        if (!session.Show(attractor, SA_RANDOMIZE | SA_ADD_HISTORY, letter[0]))
            return EXIT_FAILED;
        if (options.json) {
            session.PrintJson(io.out, *attractor);
        } else {
            io.out << attractor->code << "\n";
            session.PrintStatusTexts(io.out);
        }
        io.out.flush();
    }
    return EXIT_OK;
}
} // namespace

Subcommand SearchCommand()
{
    return {"search", "search LETTER [--count K] [--seed S] [--points N] [--json]",
            "Searches K chaotic attractors of the case LETTER ('E' to '^') at random and prints each\n"
            "accepted code with the status texts of panes 1 to 4. Ctrl+C cancels like Escape.\n"
            "  --count K    number of attractors to find (default 1)\n"
            "  --seed S     seed of the random generator, for a repeatable run (default: the time)\n"
            "  --points N   number of points of each attractor (default 50000)\n"
            "  --json       one JSON object per attractor instead\n",
            RunSearch};
}

} // namespace zephyra::cli
