#include "LyapunovMap.h"

#include <charconv>

namespace zephyra {

ParameterAxis DefaultAxis(const ParameterSystem& system, int place)
{
    constexpr double HALF_RANGE = 0.5;
    const double value = system.coefficients[static_cast<std::size_t>(place)];
    // The ends are the decimals of 15 digits they are (-0.9, not -0.8999999999999999), which the
    // record, the CSV and the axis then show; a letter's value, a float, is first taken as the
    // decimal it prints as (-1.4, not -1.399999976).
    char text[32];
    const auto readBack = [&](std::to_chars_result written) {
        double d = 0.0;
        std::from_chars(text, written.ptr, d);
        return d;
    };
    constexpr int DOUBLE_DIGITS = 15;
    const auto decimal = [&](double v) {
        return readBack(
            std::to_chars(text, text + sizeof text, v, std::chars_format::general, DOUBLE_DIGITS));
    };
    const auto narrow = static_cast<float>(value);
    const double centre = static_cast<double>(narrow) == value
                              ? readBack(std::to_chars(text, text + sizeof text, narrow))
                              : value;
    return {place, decimal(centre - HALF_RANGE), decimal(centre + HALF_RANGE)};
}

} // namespace zephyra
