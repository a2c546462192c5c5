#include "CoefficientOption.h"

#include "Attractor.h"
#include "Subcommand.h"

#include <charconv>
#include <cmath>
#include <utility>

namespace zephyra::cli {

namespace {
// "I=V" as a place of at least 1 and a finite value; a usage error otherwise.
std::pair<int, double> ParseCoefficient(const std::string& text)
{
    int place = 0;
    double value = 0.0;
    const char* const end = text.data() + text.size();
    const auto [equals, placeError] = std::from_chars(text.data(), end, place);
    bool good =
        placeError == std::errc() && place >= 1 && equals != end && *equals == '=' && equals + 1 != end;
    if (good) {
        const auto [after, valueError] = std::from_chars(equals + 1, end, value);
        good = valueError == std::errc() && after == end && std::isfinite(value);
    }
    if (!good)
        throw UsageError("bad value for --coef: '" + text + "' (I=V: a place 1 to M and a number)");
    return {place, value};
}
} // namespace

CoefficientOptions ReadCoefficientOptions(const ParsedArguments& parsed)
{
    CoefficientOptions options;
    for (const std::string& text : parsed.Values(COEF_OPTION))
        options.push_back(ParseCoefficient(text));
    return options;
}

void ApplyCoefficientOptions(const CoefficientOptions& options, Attractor& attractor)
{
    if (options.empty() || !attractor.valid)
        return;
    std::vector<double> values = attractor.CoefficientValues();
    for (const auto& [place, value] : options) {
        if (place > attractor.CoefficientsCount())
            throw UsageError("bad place for --coef: " + std::to_string(place) + " (1 to " +
                             std::to_string(attractor.CoefficientsCount()) + " for '" + attractor.code +
                             "')");
        values[static_cast<std::size_t>(place)] = value;
    }
    attractor.SetExactCoefficients(values);
}

} // namespace zephyra::cli
