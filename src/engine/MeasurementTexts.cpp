#include "MeasurementTexts.h"

#include "StatusTexts.h"

#include <cmath>

namespace zephyra {

std::string SignedText(double value, int decimals)
{
    return (value >= 0.0 ? "+" : "") + FormatFixed(value, decimals);
}

std::string ShareText(double value)
{
    const int decimals =
        value >= 0.1 || !(value > 0.0) ? 2 : 1 - static_cast<int>(std::floor(std::log10(value)));
    return FormatFixed(value, decimals);
}

} // namespace zephyra
