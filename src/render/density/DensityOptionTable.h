#pragma once
#include "DensityOptions.h"
#include "OptionTable.h"

#include <optional>
#include <string>
#include <string_view>

namespace zephyra {

// Every density option said once, in one row of the table in DensityOptionTable.cpp: the command
// line's options and help, the picture record's writer and reader, the renderer's messages and the
// export dialogs' remembered values are all made from these rows.
//
// Adding an option: give DensityOptions the member, then add one row to the table, e.g.
//     {"smooth", "--smooth", "R", "blur radius in pixels ({limits}, default {default})", "the smoothing",
//      UpTo<O>(&O::smooth, LARGEST_SMOOTH)},
// with the field maker that fits its type (those of OptionTable.h, Background, Mebibytes, or a new
// one beside them). The row's place sets its place in the help and the record.
using DensityOptionRow = OptionRow<DensityOptions>;

// The rows in the order the record writes them and the help lists them.
[[nodiscard]] const std::vector<DensityOptionRow>& DensityOptionRows();
// The row of a record word or a command-line name ("tone" or "--tone"); null when none.
[[nodiscard]] const DensityOptionRow* DensityOptionRowOf(std::string_view keyOrOption);

// The record's words of the options: "points=... supersample=... seed=1 fit=1", with `between`
// standing after the words always written and before the optional ones.
[[nodiscard]] std::string DensityOptionWords(const DensityOptions& options, const std::string& between);
// Sets the option a record word names from its text; nothing for a word no row keeps, false for
// a text that is not one of its values.
[[nodiscard]] std::optional<bool> ReadDensityOptionWord(std::string_view key, std::string_view text,
                                                        DensityOptions& options);
// The first option outside its limits as a message ("supersampling must be 1 to 8"); empty when
// all are within them.
[[nodiscard]] std::string DensityOptionsProblem(const DensityOptions& options);

// RRGGBB in hexadecimal.
[[nodiscard]] std::optional<Rgb> ParseHexColor(std::string_view text);

} // namespace zephyra
