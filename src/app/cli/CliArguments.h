#pragma once
#include "Point.h"

#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zephyra::cli {

// One option a subcommand accepts: `--name VALUE` when it takes a value, else `--name`.
struct OptionSpec {
    std::string_view name;
    bool takesValue;
};

// The arguments of one subcommand split into positional ones and known options. Throws
// UsageError for an unknown option or one missing its value.
class ParsedArguments {
public:
    ParsedArguments(const std::vector<std::string>& arguments, std::initializer_list<OptionSpec> options);

    [[nodiscard]] const std::vector<std::string>& Positional() const { return positional_; }
    [[nodiscard]] bool Has(std::string_view name) const { return options_.count(std::string(name)) != 0; }
    [[nodiscard]] std::optional<std::string> Value(std::string_view name) const;
    // The positional arguments must number exactly `count`; `names` describes them for the message.
    void ExpectPositional(std::size_t count, std::string_view names) const;

private:
    std::vector<std::string> positional_;
    std::map<std::string, std::string> options_;
};

// The arguments with the short form `-o FILE` written as `--output FILE`.
[[nodiscard]] std::vector<std::string> WithLongOptions(std::vector<std::string> arguments);

// Strict conversions in the "C" form: the whole text must be the number. Throw UsageError
// naming `what` otherwise.
[[nodiscard]] std::int32_t ParseCount(const std::string& text, std::string_view what);
[[nodiscard]] std::uint64_t ParseSeed(const std::string& text, std::string_view what);
// One finite number in single precision.
[[nodiscard]] float ParseNumber(const std::string& text, std::string_view what);
// Four comma-separated numbers x0,y0,z0,w0.
[[nodiscard]] Point ParseStartPoint(const std::string& text, std::string_view what);

} // namespace zephyra::cli
