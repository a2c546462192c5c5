#include "JsonText.h"

#include "Attractor.h"

#include <charconv>
#include <cmath>
#include <ostream>

namespace zephyra::cli {

namespace {
template <typename T> void WriteNumber(std::ostream& out, T value)
{
    if (!std::isfinite(value)) {
        out << "null";
        return;
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.write(buffer, result.ptr - buffer);
}
} // namespace

void WriteJsonString(std::ostream& out, std::string_view text)
{
    static constexpr char hex[] = "0123456789abcdef";
    out << '"';
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\')
            out << '\\' << c;
        else if (u < 0x20 || u >= 0x7f)
            out << "\\u00" << hex[u >> 4] << hex[u & 15];
        else
            out << c;
    }
    out << '"';
}

void WriteJsonNumber(std::ostream& out, float value)
{
    WriteNumber(out, value);
}
void WriteJsonNumber(std::ostream& out, double value)
{
    WriteNumber(out, value);
}

void WriteJsonNumbers(std::ostream& out, const std::vector<double>& values)
{
    out << '[';
    for (std::size_t k = 0; k < values.size(); ++k) {
        if (k > 0)
            out << ',';
        WriteJsonNumber(out, values[k]);
    }
    out << ']';
}

void WriteAttractorFields(std::ostream& out, const Attractor& a)
{
    out << "\"code\":";
    WriteJsonString(out, a.code);
    out << ",\"case\":";
    WriteJsonString(out, std::string(1, a.CaseLetter()));
    out << ",\"dimension\":" << a.dimension << ",\"order\":" << a.order << ",\"coefficients\":[";
    for (int i = 1; i < a.codeLength; ++i) {
        if (i > 1)
            out << ',';
        // The value the orbit ran: an exact one between the letters, else the letter's.
        const float letter = a.coefficients[static_cast<std::size_t>(i)];
        if (const double value = a.CoefficientOf(i); value != static_cast<double>(letter))
            WriteJsonNumber(out, value);
        else
            WriteJsonNumber(out, letter);
    }
    out << "],\"points\":" << a.pointsCount << ",\"lyapunov\":";
    WriteJsonNumber(out, a.lyapunov);
    out << ",\"fractalDim\":";
    WriteJsonNumber(out, a.fractalDim);
}

} // namespace zephyra::cli
