#include "CliSession.h"
#include "CommandProgress.h"
#include "FullMeasurement.h"
#include "MeasureReport.h"
#include "StatusTexts.h"

#include <limits>
#include <ostream>
#include <string>

namespace zephyra::cli {

namespace {
constexpr std::int32_t DEFAULT_STEPS = SpectrumSettings{}.steps;
// Ten error blocks of 1000 steps at least, and enough points that f is measured (from point 5000 on).
constexpr std::int32_t FEWEST_STEPS = 10000;
const std::string MEASURE_POINTS_HELP = "points of l and f, and measured steps of the spectrum, at least " +
                                        std::to_string(FEWEST_STEPS) + " (default " +
                                        std::to_string(DEFAULT_STEPS) + ")";
const CommandOption MEASURE_POINTS_OPTION{"--points", "N", MEASURE_POINTS_HELP, FEWEST_STEPS,
                                          std::numeric_limits<std::int32_t>::max()};
const std::string TRANSIENT_HELP = "steps run before the spectrum is measured (default " +
                                   std::to_string(SpectrumSettings{}.transient) + ")";
const CommandOption TRANSIENT_OPTION{"--transient", "T", TRANSIENT_HELP};

// What `measure` was asked for, apart from how the command line spelled it.
struct MeasureOptions {
    std::string code;
    ComputeOptions compute; // --points N is also the number of measured steps of the spectrum
    std::int32_t transient = SpectrumSettings{}.transient;
};

int Measure(const MeasureOptions& options, CommandIo& io)
{
    ComputeOptions compute = options.compute;
    compute.points = compute.points.value_or(DEFAULT_STEPS);
    CliSession session(io, compute);
    const AttractorRef attractor = session.FromCode(options.code);
    if (!session.Show(attractor, SA_NO_SEARCH))
        return session.FailureCode();

    SpectrumSettings settings;
    settings.steps = attractor->pointsCount;
    settings.transient = options.transient;
    CommandProgress progress(session.host, io);
    const FullMeasurement m = MeasureFully(OrbitSystem::Of(*attractor), settings, [&](double fraction) {
        progress(fraction);
        return !progress.Stopped();
    });
    progress.Clear();
    if (progress.Stopped()) {
        // Nothing half-measured is printed.
        io.err << "zephyra measure: " << TEXT_CANCELED << " (nothing measured)\n";
        return EXIT_INTERRUPTED;
    }
    const bool measured = m.spectrum.status == SpectrumStatus::Measured;
    if (!measured)
        io.err << "zephyra measure: " << SpectrumFailureText(m.spectrum.status) << "\n";
    if (compute.json) {
        io.out << '{';
        session.WriteJsonMembers(io.out, *attractor);
        if (measured)
            WriteMeasurementJson(io.out, m);
        io.out << "}\n";
    } else {
        session.PrintStatusTexts(io.out);
        if (measured)
            WriteMeasurementText(io.out, m, settings.blocks);
    }
    return measured ? EXIT_OK : EXIT_FAILED;
}

int RunMeasure(const ParsedArguments& parsed, CommandIo& io)
{
    parsed.ExpectPositional(1, "CODE");
    MeasureOptions options{parsed.Positional()[0], ReadComputeOptions(parsed)};
    if (const auto v = parsed.Value(TRANSIENT_OPTION))
        options.transient = ParseCount(*v, "--transient");
    return Measure(options, io);
}
} // namespace

Subcommand MeasureCommand()
{
    return {"measure",
            "measure CODE [OPTIONS]",
            "Computes the attractor of CODE without search and prints the status texts of panes 1 to 4 (l\n"
            "and f as the window shows them), then its whole Lyapunov spectrum in bits per step with the\n"
            "standard error over 10 blocks, the sum of the exponents beside the orbit mean of ln|det J| of\n"
            "the step (they are equal; for an ODE the Euler step's) and, for an ODE, the flow's divergence\n"
            "in bits per unit time, the Kaplan-Yorke dimension and the correlation dimension as a fitted\n"
            "slope with its error and range. Case ^ is forced by its phase, the third coordinate of its\n"
            "cloud: its spectrum holds the phase's exponent 0 beside those of x and y.\n",
            {MEASURE_POINTS_OPTION,
             TRANSIENT_OPTION,
             START_OPTION,
             SEED_OPTION,
             COEF_OPTION,
             {"--json", "",
              "one JSON object: the keys of compute --json, then spectrum (largest first),\n"
              "spectrumError, units, kaplanYorke, sum, meanLogDet, flowDivergence (ODEs),\n"
              "correlationDimension, correlationDimensionError, correlationRange"}},
            "Ctrl+C stops the measurement and prints nothing of it.\n",
            RunMeasure};
}

} // namespace zephyra::cli
