#include "MeasurementFigures.h"

#include "MeasurementTexts.h"
#include "StatusTexts.h"

namespace zephyra {

std::string MeasurementFigure::ValueText(const char* plusMinus) const
{
    if (!text.empty())
        return text;
    std::string shown = sign ? SignedText(value, decimals) : FormatFixed(value, decimals);
    if (error)
        shown += std::string(" ") + plusMinus + " " + FormatFixed(*error, decimals);
    return shown;
}

const char* MeasurementStepText(const SpectrumResult& spectrum)
{
    return spectrum.ode ? "one Euler step of 0.1" : "";
}

std::vector<MeasurementFigure> MeasurementFigures(const FullMeasurement& m)
{
    const SpectrumResult& s = m.spectrum;
    std::vector<MeasurementFigure> figures;
    for (std::size_t k = 0; k < s.exponents.size(); ++k)
        figures.push_back({"", static_cast<int>(k) + 1, s.exponents[k], s.errors[k], 5, true, "", ""});
    figures.push_back({"Sum of exponents", 0, s.sum, {}, 6, true, "", ""});
    figures.push_back({"Mean ln|det J|",
                       0,
                       s.meanLogDet,
                       {},
                       6,
                       true,
                       "",
                       s.ode ? "of the Euler step; equals the sum" : "equals the sum for a map"});
    if (s.ode)
        figures.push_back({"Flow divergence",
                           0,
                           s.flowDivergence,
                           {},
                           6,
                           true,
                           "",
                           "bits per unit time: the field's, which the sum / 0.1 nears as the step shrinks"});
    figures.push_back({"Kaplan-Yorke dimension", 0, s.kaplanYorke, {}, 4, false, "", ""});
    const CorrelationFit& c = m.correlation;
    if (c.Fitted())
        figures.push_back({"Correlation dimension", 0, c.slope, c.slopeError, 3, false, "",
                           "slope of log C(r) for r = " + ShareText(c.RadiusLow()) + " to " +
                               ShareText(c.RadiusHigh()) + " of the extent"});
    else
        figures.push_back(
            {"Correlation dimension", 0, 0.0, {}, 0, false, "no scaling range (too few close pairs)", ""});
    return figures;
}

} // namespace zephyra
