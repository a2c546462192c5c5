#pragma once
#include "DensityOptions.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zephyra {

// Every density option said once: one row holds its word in the picture record, its name on the
// command line, its help line, what the messages call it, its limits and its choices, and reads,
// writes and checks its member of DensityOptions. The member's initial value is the default.
// The command line's options and help, the picture record's writer and reader, the renderer's
// messages and the export dialogs' remembered values are all made from these rows.
//
// Adding an option: give DensityOptions the member, then add one row to the table in
// DensityOptionTable.cpp, e.g.
//     {"smooth", "--smooth", "R", "blur radius in pixels ({limits}, default {default})", "the smoothing",
//      Whole(&O::smooth, 0, 8, true)},
// with the field maker that fits its type (Whole, Any, Positive, Either, Choices, Flag, Background,
// Mebibytes, or a new one beside them). The row's place sets its place in the help and the record.
// Rows of other option sets (maps, diagrams) take the same form over their own options struct.
struct DensityOptionRow {
    std::string key;    // the word in the picture record and the dialogs' memory; empty: not kept
    std::string option; // on the command line ("--tone"); empty: the command line has its own
    std::string value;  // what the help calls the value ("T"); empty for a flag
    std::string help;   // the help line ("\n" between lines), {limits} and {default} filled in
    std::string noun;   // what the messages call it ("supersampling")
    std::string limits; // what the value may be ("1 to 8", "log, eqhist, gamma or linear")
    // Whole numbers the command line's parser checks itself (low < high); 0, 0 for others.
    std::int64_t low = 0;
    std::int64_t high = 0;
    // Written into the record only when it differs from the default (after the words always
    // written), so that records without it stay as they were.
    bool optional = false;
    // The member as the record and the command line write it.
    std::function<std::string(const DensityOptions&)> text;
    // Sets the member from such a text; false, changing nothing, for a text that is not one.
    std::function<bool(std::string_view, DensityOptions&)> read;
    // Whether the member lies within the limits.
    std::function<bool(const DensityOptions&)> within;
    // The names it can take, for a choice ("log", "eqhist", ...); empty for others.
    std::vector<std::string> choices;

    [[nodiscard]] bool IsFlag() const { return value.empty(); }
};

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
