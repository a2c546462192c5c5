#include "CliSession.h"
#include "StatusTexts.h"

#include <ostream>

namespace zephyra::cli {

namespace {
int RunCompute(const ParsedArguments& parsed, CommandIo& io)
{
    parsed.ExpectPositional(1, "CODE");
    const ComputeOptions options = ReadComputeOptions(parsed);
    CliSession session(io, options);
    const AttractorRef attractor = session.FromCode(parsed.Positional()[0]);
    if (!session.Show(attractor, SA_NO_SEARCH))
        return session.FailureCode();
    if (!session.OrbitStaysBounded("compute", *attractor))
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
    return {"compute",
            "compute CODE [OPTIONS]",
            "Computes the attractor of CODE without search and prints the status texts of panes 1 to 4,\n"
            "one per line, then \"Done\". An orbit that leaves every bound prints nothing and exits 1.\n",
            {POINTS_OPTION,
             START_OPTION,
             SEED_OPTION,
             COEF_OPTION,
             {"--json", "",
              "one JSON object instead: code, case, dimension, order, coefficients,\n"
              "points, lyapunov, fractalDim, tries, seconds"}},
            "",
            RunCompute};
}

} // namespace zephyra::cli
