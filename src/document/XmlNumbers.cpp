#include "XmlNumbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace zephyra {

namespace {

// isspace of the "C" locale.
bool IsCSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::size_t SkipSpace(std::string_view text, std::size_t pos)
{
    while (pos < text.size() && IsCSpace(text[pos]))
        ++pos;
    return pos;
}

// from_chars leaves the value alone when the number is out of range, where strtof gives
// +-HUGE_VALF on overflow and 0 on underflow: decide which from the decimal magnitude.
bool IsBeyondLargest(std::string_view number)
{
    std::size_t pos = number.empty() || number[0] != '-' ? 0 : 1;
    long magnitude = 0;
    bool significant = false;
    for (; pos < number.size() && IsDigit(number[pos]); ++pos) {
        significant = significant || number[pos] != '0';
        if (significant)
            ++magnitude;
    }
    if (pos < number.size() && number[pos] == '.')
        for (++pos; pos < number.size() && IsDigit(number[pos]); ++pos) {
            if (significant)
                continue;
            significant = number[pos] != '0';
            if (!significant)
                --magnitude;
        }
    if (pos < number.size() && (number[pos] == 'e' || number[pos] == 'E')) {
        long exponent = 0;
        const char* first = number.data() + pos + 1;
        if (first < number.data() + number.size() && *first == '+')
            ++first;
        // Any exponent beyond this decides alone, whatever the digits before it.
        constexpr long beyondAnyDigits = 1000000;
        if (std::from_chars(first, number.data() + number.size(), exponent).ec ==
            std::errc::result_out_of_range)
            exponent = *first == '-' ? -beyondAnyDigits : beyondAnyDigits;
        magnitude += std::clamp(exponent, -beyondAnyDigits, beyondAnyDigits);
    }
    return magnitude > 0;
}

struct ScannedFloat {
    float value = 0.0f;
    std::size_t end = 0; // position after the number; 0 when nothing was read
};

ScannedFloat ScanFloat(std::string_view text, std::size_t pos)
{
    pos = SkipSpace(text, pos);
    // from_chars takes a minus sign but no plus sign.
    if (pos < text.size() && text[pos] == '+' && (pos + 1 >= text.size() || text[pos + 1] != '-'))
        ++pos;
    const char* first = text.data() + pos;
    const char* last = text.data() + text.size();
    ScannedFloat scanned;
    const auto [ptr, ec] = std::from_chars(first, last, scanned.value);
    if (ec == std::errc::invalid_argument)
        return {};
    if (ec == std::errc::result_out_of_range) {
        const std::string_view number(first, static_cast<std::size_t>(ptr - first));
        const float size = IsBeyondLargest(number) ? std::numeric_limits<float>::infinity() : 0.0f;
        scanned.value = number[0] == '-' ? -size : size;
    }
    scanned.end = static_cast<std::size_t>(ptr - text.data());
    return scanned;
}

} // namespace

std::int32_t ReadXmlInt(std::string_view text)
{
    std::size_t pos = SkipSpace(text, 0);
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t value = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos)
        value = std::min(limit, value * 10 + (text[pos] - '0'));
    if (negative)
        return static_cast<std::int32_t>(-value);
    return static_cast<std::int32_t>(std::min(value, limit - 1));
}

float ReadXmlFloat(std::string_view text)
{
    return ScanFloat(text, 0).value;
}

std::string XmlFloatText(float value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string XmlIntText(std::int32_t value)
{
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string XmlColorText(const Rgb& color)
{
    std::string text;
    for (const float component : color) {
        // Room for the largest finite float in fixed notation.
        char buffer[64];
        const double value = component;
        const auto result = std::isfinite(value) ? std::to_chars(buffer, buffer + sizeof buffer, value,
                                                                 std::chars_format::fixed, 6)
                                                 : std::to_chars(buffer, buffer + sizeof buffer, value);
        if (!text.empty())
            text += ' ';
        text.append(buffer, result.ptr);
    }
    return text;
}

void ScanXmlColor(std::string_view text, Rgb& color)
{
    std::size_t pos = 0;
    for (float& component : color) {
        const ScannedFloat scanned = ScanFloat(text, pos);
        if (scanned.end == 0)
            return;
        component = scanned.value;
        pos = scanned.end;
    }
}

} // namespace zephyra
