#include "CliArguments.h"

#include "Subcommand.h"

#include <charconv>
#include <cmath>

namespace zephyra::cli {

namespace {
template <typename T> bool ParseWhole(std::string_view text, T& value)
{
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return !text.empty() && result.ec == std::errc() && result.ptr == end;
}

[[noreturn]] void BadNumber(const std::string& text, std::string_view what)
{
    throw UsageError("bad number for " + std::string(what) + ": '" + text + "'");
}
} // namespace

std::optional<std::string> ParsedArguments::Value(std::string_view name) const
{
    const auto it = options_.find(name);
    return it == options_.end() || it->second.empty() ? std::nullopt
                                                      : std::optional<std::string>(it->second.back());
}

std::vector<std::string> ParsedArguments::Values(const CommandOption& option) const
{
    const auto it = options_.find(option.Name());
    return it == options_.end() ? std::vector<std::string>{} : it->second;
}

void ParsedArguments::ExpectPositional(std::size_t count, std::string_view names) const
{
    if (positional_.size() < count)
        throw UsageError("missing " + std::string(names));
    if (positional_.size() > count)
        throw UsageError("unexpected argument '" + positional_[count] + "'");
}

std::int32_t ParseCount(const std::string& text, std::string_view what)
{
    std::int32_t value = 0;
    if (!ParseWhole(text, value) || value < 0)
        BadNumber(text, what);
    return value;
}

std::uint64_t ParseLargeCount(const std::string& text, std::string_view what)
{
    std::uint64_t value = 0;
    if (!ParseWhole(text, value))
        BadNumber(text, what);
    return value;
}

float ParseNumber(const std::string& text, std::string_view what)
{
    float value = 0.0f;
    if (!ParseWhole(text, value) || !std::isfinite(value))
        BadNumber(text, what);
    return value;
}

Point ParseStartPoint(const std::string& text, std::string_view what)
{
    Point p{};
    std::string_view rest = text;
    for (int k = 0; k < 4; ++k) {
        const std::size_t comma = rest.find(',');
        const std::string_view field = rest.substr(0, comma);
        if ((k < 3) != (comma != std::string_view::npos) || !ParseWhole(field, p[k]) || !std::isfinite(p[k]))
            throw UsageError("bad start point for " + std::string(what) + ": '" + text +
                             "' (four numbers x0,y0,z0,w0)");
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    }
    return p;
}

} // namespace zephyra::cli
