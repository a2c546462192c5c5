#include "MeasureReport.h"

#include "JsonText.h"
#include "MeasurementFigures.h"

#include <ostream>
#include <string>

namespace zephyra::cli {

namespace {
constexpr std::size_t LABEL_COLUMNS = 24;
} // namespace

void WriteMeasurementText(std::ostream& out, const FullMeasurement& m, int blocks)
{
    const SpectrumResult& s = m.spectrum;
    const std::string step = MeasurementStepText(s);
    out << "Lyapunov spectrum (" << MEASUREMENT_UNITS << (step.empty() ? "" : ", " + step)
        << "; mean +- standard error over " << blocks << " blocks):\n";
    for (const MeasurementFigure& f : MeasurementFigures(m)) {
        if (f.exponent > 0) {
            out << "  l" << f.exponent << " = " << f.ValueText("+-") << "\n";
            continue;
        }
        out << f.label << std::string(LABEL_COLUMNS - f.label.size(), ' ') << f.ValueText("+-");
        if (!f.note.empty())
            out << (f.error ? " (" : "  (") << f.note << ")";
        out << "\n";
    }
}

void WriteMeasurementJson(std::ostream& out, const FullMeasurement& m)
{
    const SpectrumResult& s = m.spectrum;
    out << ",\"spectrum\":";
    WriteJsonNumbers(out, s.exponents);
    out << ",\"spectrumError\":";
    WriteJsonNumbers(out, s.errors);
    out << ",\"units\":";
    WriteJsonString(out, MEASUREMENT_UNITS);
    out << ",\"kaplanYorke\":";
    WriteJsonNumber(out, s.kaplanYorke);
    out << ",\"sum\":";
    WriteJsonNumber(out, s.sum);
    out << ",\"meanLogDet\":";
    WriteJsonNumber(out, s.meanLogDet);
    if (s.ode) {
        out << ",\"flowDivergence\":";
        WriteJsonNumber(out, s.flowDivergence);
    }
    const CorrelationFit& c = m.correlation;
    if (c.Fitted()) {
        out << ",\"correlationDimension\":";
        WriteJsonNumber(out, c.slope);
        out << ",\"correlationDimensionError\":";
        WriteJsonNumber(out, c.slopeError);
        out << ",\"correlationRange\":";
        WriteJsonNumbers(out, {c.RadiusLow(), c.RadiusHigh()});
    }
}

} // namespace zephyra::cli
