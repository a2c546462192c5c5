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

ParsedArguments::ParsedArguments(const std::vector<std::string>& arguments,
                                 std::initializer_list<OptionSpec> options)
{
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        // A lone "-" or a negative number is a value, not an option.
        if (argument.size() < 3 || argument.compare(0, 2, "--") != 0) {
            positional_.push_back(argument);
            continue;
        }
        const OptionSpec* known = nullptr;
        for (const OptionSpec& o : options)
            if (argument.compare(2, std::string::npos, o.name) == 0)
                known = &o;
        if (!known)
            throw UsageError("unknown option '" + argument + "'");
        std::string value;
        if (known->takesValue) {
            if (i + 1 >= arguments.size())
                throw UsageError("option '" + argument + "' needs a value");
            value = arguments[++i];
        }
        options_[std::string(known->name)] = value;
    }
}

std::optional<std::string> ParsedArguments::Value(std::string_view name) const
{
    const auto it = options_.find(std::string(name));
    return it == options_.end() ? std::nullopt : std::optional<std::string>(it->second);
}

void ParsedArguments::ExpectPositional(std::size_t count, std::string_view names) const
{
    if (positional_.size() < count)
        throw UsageError("missing " + std::string(names));
    if (positional_.size() > count)
        throw UsageError("unexpected argument '" + positional_[count] + "'");
}

std::vector<std::string> WithLongOptions(std::vector<std::string> arguments)
{
    for (std::string& a : arguments)
        if (a == "-o")
            a = "--output";
    return arguments;
}

std::int32_t ParseCount(const std::string& text, std::string_view what)
{
    std::int32_t value = 0;
    if (!ParseWhole(text, value) || value < 0)
        BadNumber(text, what);
    return value;
}

std::uint64_t ParseSeed(const std::string& text, std::string_view what)
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
