#include "StatusTexts.h"

#include "Attractor.h"
#include "ExactCoefficientsText.h"

#include <charconv>
#include <cmath>

namespace zephyra {

std::string FormatFixed(double value, int decimals)
{
    if (std::isnan(value))
        return std::signbit(value) ? "-nan" : "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

std::string CaseText(const Attractor& a)
{
    std::string text = CaseText(a.CaseLetter());
    if (const std::string exact = ExactCoefficientsText(a); !exact.empty()) {
        text += "  exact ";
        text += exact;
    }
    return text;
}

std::string CaseText(char letter)
{
    const std::optional<AttractorCase> c = DescribeCase(letter);
    if (!c)
        return {};
    // Built by appending: GCC 12 warns falsely (-Wrestrict) on "text" + std::to_string(...).
    std::string text = "Case ";
    text += letter;
    text += " (D:";
    text += std::to_string(c->dimension);
    if (!c->IsSpecial()) {
        text += " O:";
        text += std::to_string(c->order);
    }
    text += " M:";
    text += std::to_string(c->coefficientsCount);
    text += ")";
    return text;
}

std::string PointsText(int count)
{
    std::string text = " ";
    text += std::to_string(count);
    text += " points";
    return text;
}

std::string MeasuresText(const Attractor& a)
{
    return " l = " + FormatFixed(a.lyapunov, 3) + "  f = " + FormatFixed(a.fractalDim, 3);
}

std::string StartPointText(const Attractor& a)
{
    const DisplaySettings& d = a.display;
    return " x0 = " + FormatFixed(d.x0, 2) + " y0 = " + FormatFixed(d.y0, 2) +
           " z0 = " + FormatFixed(d.z0, 2) + " w0 = " + FormatFixed(d.w0, 2);
}

std::string Turn4DText(const Attractor& a)
{
    if (a.dimension != 4 || (a.xw == 0.0f && a.yw == 0.0f && a.zw == 0.0f))
        return {};
    return "4D turn: xw = " + FormatFixed(a.xw, 1) + "  yw = " + FormatFixed(a.yw, 1) +
           "  zw = " + FormatFixed(a.zw, 1);
}

std::string ComputingText(double percent)
{
    return "Computing " + FormatFixed(percent, 0) + "% press ESC to cancel";
}

std::string PositionText(int position)
{
    std::string text = "Position: ";
    text += std::to_string(position);
    return text;
}

} // namespace zephyra
