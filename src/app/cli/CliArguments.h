#pragma once
#include "Point.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zephyra::cli {

// One option of a subcommand: `names` as "-o,--output" or "--points"; `value` names its value
// in the help ("N"), empty for a flag; `help` is its line in the help, more lines after "\n".
// An entry without names is a heading: its text stands before the options that follow it.
// A value with `low` < `high` must be a whole number within low..high, which the parser checks.
// `choices`, when given, are the words the value can be (an option table's, for completion).
struct CommandOption {
    std::string_view names;
    std::string_view value;
    std::string_view help;
    std::int64_t low = 0;
    std::int64_t high = 0;
    const std::vector<std::string>* choices = nullptr;

    // The long name without its dashes: "output".
    [[nodiscard]] constexpr std::string_view Name() const
    {
        const std::size_t dashes = names.rfind("--");
        return dashes == std::string_view::npos ? std::string_view() : names.substr(dashes + 2);
    }
    [[nodiscard]] constexpr bool IsHeading() const { return names.empty(); }
};

// The arguments of one subcommand after the parser: positional ones, and the values of every
// option given, in the order given (one empty value for a flag).
class ParsedArguments {
public:
    using OptionValues = std::map<std::string, std::vector<std::string>, std::less<>>;

    ParsedArguments(std::vector<std::string> positional, OptionValues options)
        : positional_(std::move(positional)), options_(std::move(options))
    {
    }

    [[nodiscard]] const std::vector<std::string>& Positional() const { return positional_; }
    [[nodiscard]] bool Has(std::string_view name) const { return options_.find(name) != options_.end(); }
    [[nodiscard]] bool Has(const CommandOption& option) const { return Has(option.Name()); }
    // The value of an option, the last one when it was repeated.
    [[nodiscard]] std::optional<std::string> Value(std::string_view name) const;
    [[nodiscard]] std::optional<std::string> Value(const CommandOption& option) const
    {
        return Value(option.Name());
    }
    // Every value of a repeatable option.
    [[nodiscard]] std::vector<std::string> Values(const CommandOption& option) const;
    // The positional arguments must number exactly `count`; `names` describes them for the message.
    void ExpectPositional(std::size_t count, std::string_view names) const;

private:
    std::vector<std::string> positional_;
    OptionValues options_;
};

// Strict conversions in the "C" form: the whole text must be the number. Throw UsageError
// naming `what` otherwise.
[[nodiscard]] std::int32_t ParseCount(const std::string& text, std::string_view what);
// Any whole number of 64 bits without a sign: a seed, a count of points past 2^31.
[[nodiscard]] std::uint64_t ParseLargeCount(const std::string& text, std::string_view what);
// One finite number in single precision.
[[nodiscard]] float ParseNumber(const std::string& text, std::string_view what);
// Four comma-separated numbers x0,y0,z0,w0.
[[nodiscard]] Point ParseStartPoint(const std::string& text, std::string_view what);

} // namespace zephyra::cli
