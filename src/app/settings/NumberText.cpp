#include "NumberText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace zephyra {

namespace {

// The text without surrounding blanks and without a leading '+', which from_chars refuses;
// a second sign after it makes the text unreadable.
std::string Digits(const QString& text)
{
    std::string s = text.trimmed().toStdString();
    if (!s.empty() && s.front() == '+') {
        s.erase(0, 1);
        if (!s.empty() && (s.front() == '-' || s.front() == '+'))
            s.clear();
    }
    return s;
}

template <typename T> std::optional<T> ParseWhole(const std::string& s)
{
    T value{};
    const char* end = s.data() + s.size();
    auto [ptr, ec] = std::from_chars(s.data(), end, value);
    if (s.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

} // namespace

QString FormatFloat(float value)
{
    std::array<char, 32> text{};
    auto [end, ec] = std::to_chars(text.data(), text.data() + text.size(), value);
    (void)ec; // 32 characters hold every float
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(end - text.data()));
}

std::optional<float> ParseFloat(const QString& text)
{
    // Half a unit beyond the largest float: from here on a value would round to infinity.
    constexpr double FLOAT_OVERFLOW = 0x1.ffffffp+127;
    const std::optional<double> value = ParseWhole<double>(Digits(text));
    if (!value || !std::isfinite(*value) || std::fabs(*value) >= FLOAT_OVERFLOW)
        return std::nullopt;
    return static_cast<float>(*value);
}

std::optional<std::int32_t> ParseInteger(const QString& text)
{
    return ParseWhole<std::int32_t>(Digits(text));
}

} // namespace zephyra
