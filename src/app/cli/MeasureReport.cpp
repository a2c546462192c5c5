#include "MeasureReport.h"

#include "JsonText.h"
#include "MeasurementTexts.h"
#include "StatusTexts.h"

#include <ostream>
#include <string>

namespace zephyra::cli {

namespace {
constexpr const char* UNITS = "bits per step";
} // namespace

void WriteMeasurementText(std::ostream& out, const FullMeasurement& m, int blocks)
{
    const SpectrumResult& s = m.spectrum;
    out << "Lyapunov spectrum (" << UNITS << (s.ode ? ", one Euler step of 0.1" : "")
        << "; mean +- standard error over " << blocks << " blocks):\n";
    for (std::size_t k = 0; k < s.exponents.size(); ++k)
        out << "  l" << k + 1 << " = " << SignedText(s.exponents[k], 5) << " +- "
            << FormatFixed(s.errors[k], 5) << "\n";
    out << "Sum of exponents        " << SignedText(s.sum, 6) << "\n";
    out << "Mean ln|det J|          " << SignedText(s.meanLogDet, 6)
        << (s.ode ? "  (of the Euler step; equals the sum)\n" : "  (equals the sum for a map)\n");
    if (s.ode)
        out << "Flow divergence         " << SignedText(s.flowDivergence, 6)
            << "  (bits per unit time: the field's, which the sum / 0.1 nears as the step shrinks)\n";
    out << "Kaplan-Yorke dimension  " << FormatFixed(s.kaplanYorke, 4) << "\n";
    const CorrelationFit& c = m.correlation;
    out << "Correlation dimension   ";
    if (c.Fitted())
        out << FormatFixed(c.slope, 3) << " +- " << FormatFixed(c.slopeError, 3)
            << " (slope of log C(r) for r = " << ShareText(c.RadiusLow()) << " to "
            << ShareText(c.RadiusHigh()) << " of the extent)\n";
    else
        out << "no scaling range (too few close pairs)\n";
}

void WriteMeasurementJson(std::ostream& out, const FullMeasurement& m)
{
    const SpectrumResult& s = m.spectrum;
    out << ",\"spectrum\":";
    WriteJsonNumbers(out, s.exponents);
    out << ",\"spectrumError\":";
    WriteJsonNumbers(out, s.errors);
    out << ",\"units\":";
    WriteJsonString(out, UNITS);
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
