#include "CliSession.h"
#include "FindOutput.h"
#include "SearchTries.h"
#include "Variants.h"

namespace zephyra::cli {

namespace {
// Codes tried at each distance: enough for a page of neighbours of the rarely chaotic cases.
constexpr int CODES_PER_DISTANCE = 256;

int RunVariants(const std::vector<std::string>& arguments, CommandIo& io)
{
    const ParsedArguments parsed(WithLongOptions(arguments),
                                 {COUNT_OPTION, JOBS_OPTION, POINTS_OPTION, START_OPTION, SEED_OPTION,
                                  MIN_LYAPUNOV_OPTION, DIMENSION_OPTION, FILL_OPTION, OUTPUT_OPTION,
                                  SHEET_OPTION, JSON_OPTION});
    parsed.ExpectPositional(1, "CODE");
    const ComputeOptions compute = ReadComputeOptions(parsed);
    const DiscoveryOptions options = ReadDiscoveryOptions(parsed);

    CliSession session(io, compute);
    const AttractorRef source = session.FromCode(parsed.Positional()[0]);
    if (!source->valid) {
        session.host.MessageBox("Wrong attractor configuration!", "Attractor", MessageIcon::Warning);
        return EXIT_FAILED;
    }
    const std::uint64_t seed = compute.seed.value_or(RandomGenerator::TimeSeed());
    return RunAndReport(session, compute, options, seed,
                        CodeTries(VariantCodes(source->code, seed, CODES_PER_DISTANCE), source->display,
                                  session.document.defaults));
}
} // namespace

Subcommand VariantsCommand()
{
    return {"variants",
            "variants CODE [--count K] [--jobs J] [--seed S] [--points N] [--start x0,y0,z0,w0]\n"
            "       [--min-lyapunov L] [--dimension A..B] [--fill A..B] [-o FILE.zpr]\n"
            "       [--sheet FILE.png] [--json]",
            "Finds K neighbours of the attractor CODE that are chaotic too: codes that differ from it in\n"
            "one to three coefficients by one or two letters, nearest first, printed as by search.\n"
            "Takes the options of search; --start sets the start point of CODE and its neighbours.\n",
            RunVariants};
}

} // namespace zephyra::cli
