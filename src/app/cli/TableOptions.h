#pragma once
#include "CliArguments.h"
#include "OptionTable.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zephyra::cli {

// The command-line option of a row of an option table; it refers to the row, which lives as long
// as the program.
template <typename Options> [[nodiscard]] CommandOption CommandOptionOf(const OptionRow<Options>& row)
{
    return {row.option, row.value, row.help, row.low, row.high, &row.choices};
}

// The options of every row that has a command-line name, in the table's order.
template <typename Options>
[[nodiscard]] std::vector<CommandOption> CommandOptionsOf(const std::vector<OptionRow<Options>>& rows)
{
    std::vector<CommandOption> options;
    for (const OptionRow<Options>& row : rows)
        if (!row.option.empty())
            options.push_back(CommandOptionOf(row));
    return options;
}

// The row of `rows` named `option` ("--steps"), which a command takes by name.
template <typename Options>
[[nodiscard]] const OptionRow<Options>& TableRow(const std::vector<OptionRow<Options>>& rows,
                                                 std::string_view option)
{
    const OptionRow<Options>* row = OptionRowOf(rows, option);
    if (!row)
        throw std::logic_error("no option " + std::string(option) + " in the table");
    return *row;
}

// Sets the members of the rows whose values the parser checked (whole numbers within low..high)
// from the options given.
template <typename Options>
void ApplyCheckedOptions(const ParsedArguments& parsed, const std::vector<OptionRow<Options>>& rows,
                         Options& options)
{
    for (const OptionRow<Options>& row : rows)
        if (row.low < row.high)
            if (const std::optional<std::string> v = parsed.Value(CommandOptionOf(row)))
                (void)row.read(*v, options);
}

} // namespace zephyra::cli
