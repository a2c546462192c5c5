#include "ExactCoefficientsText.h"

#include "Attractor.h"

#include <charconv>
#include <cmath>
#include <vector>

namespace zephyra {

std::string ExactCoefficientsText(const Attractor& a)
{
    std::string text;
    if (!a.HasExactCoefficients())
        return text;
    for (int i = 1; i <= a.CoefficientsCount(); ++i) {
        const double value = a.CoefficientOf(i);
        if (value == static_cast<double>(a.coefficients[static_cast<std::size_t>(i)]))
            continue;
        char buffer[48];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
        if (!text.empty())
            text += ' ';
        text += std::to_string(i);
        text += ':';
        text.append(buffer, end);
    }
    return text;
}

bool ReadExactCoefficientsText(std::string_view text, Attractor& a)
{
    std::vector<double> values(a.coefficients.begin(), a.coefficients.end());
    std::vector<bool> given(values.size(), false);
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p != end) {
        if (*p == ' ') {
            ++p;
            continue;
        }
        int place = 0;
        double value = 0.0;
        const auto [colon, placeError] = std::from_chars(p, end, place);
        if (placeError != std::errc() || colon == end || *colon != ':' || place < 1 ||
            place > a.CoefficientsCount() || given[static_cast<std::size_t>(place)])
            return false;
        const auto [after, valueError] = std::from_chars(colon + 1, end, value);
        if (valueError != std::errc() || !std::isfinite(value) || (after != end && *after != ' '))
            return false;
        values[static_cast<std::size_t>(place)] = value;
        given[static_cast<std::size_t>(place)] = true;
        p = after;
    }
    a.SetExactCoefficients(values);
    return true;
}

} // namespace zephyra
