#include "CliSession.h"
#include "StatusTexts.h"

#include <ostream>

namespace zephyra::cli {

namespace {
int RunCompute(const std::vector<std::string>& arguments, CommandIo& io)
{
    const ParsedArguments parsed(arguments, {POINTS_OPTION, START_OPTION, SEED_OPTION, JSON_OPTION});
    parsed.ExpectPositional(1, "CODE");
    const ComputeOptions options = ReadComputeOptions(parsed);
    CliSession session(io, options);
    const AttractorRef attractor = session.FromCode(parsed.Positional()[0]);
    if (!session.Show(attractor, SA_NO_SEARCH))
        return EXIT_FAILED;
    if (options.json) {
        session.PrintJson(io.out, *attractor);
    } else {
        session.PrintStatusTexts(io.out);
        io.out << session.host.Status(PANE_MESSAGE) << "\n";
    }
    return EXIT_OK;
}
} // namespace

Subcommand ComputeCommand()
{
    return {"compute", "compute CODE [--points N] [--start x0,y0,z0,w0] [--seed S] [--json]",
            "Computes the attractor of CODE without search and prints the status texts of panes 1 to 4,\n"
            "one per line, then \"Done\".\n"
            "  --points N   number of points (default 50000)\n"
            "  --start P    start point x0,y0,z0,w0 (default 0.05,0.05,0.05,0.05)\n"
            "  --seed S     seed of the pair samples of the dimension estimate (default: the time)\n"
            "  --json       one JSON object instead: code, case, dimension, order, coefficients,\n"
            "               points, lyapunov, fractalDim, tries, seconds\n",
            RunCompute};
}

} // namespace zephyra::cli
