#pragma once
#include "Choice.h"
#include "XmlNumbers.h"

#include <charconv>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace zephyra {

// One option of an option set (the density picture's, a map's, a diagram's) said once: its word
// in the picture record, its name on the command line, its help line, what the messages call it,
// its limits and its choices, and how it reads, writes and checks its member. The member's value in
// a default-made options struct is the default. The command line's options and help, the record's
// writer and reader and the checks are all made from these rows.
template <typename Options> struct OptionRow {
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
    std::function<std::string(const Options&)> text;
    // Sets the member from such a text; false, changing nothing, for a text that is not one. Empty
    // for a row the command line reads by its own rules and no record keeps.
    std::function<bool(std::string_view, Options&)> read;
    // Whether the member lies within the limits.
    std::function<bool(const Options&)> within;
    // The names it can take, for a choice ("log", "eqhist", ...); empty for others.
    std::vector<std::string> choices;

    [[nodiscard]] bool IsFlag() const { return value.empty(); }
};

// What a row does with its member: the columns after its names and texts, made by one of the
// field makers in option_fields.
template <typename Options> struct OptionField {
    std::string limits = {};
    std::int64_t low = 0, high = 0;
    bool optional = false;
    std::function<std::string(const Options&)> text;
    std::function<bool(std::string_view, Options&)> read = {};
    std::function<bool(const Options&)> within = [](const Options&) { return true; };
    std::vector<std::string> choices = {};
};

// A row as a table writes it: the names and texts, then the field.
template <typename Options> struct OptionRowText {
    const char* key;
    const char* option;
    const char* value;
    const char* help;
    const char* noun;
    OptionField<Options> field;
};

// The rows of a table, with {limits} and {default} of each help line filled in.
template <typename Options>
[[nodiscard]] std::vector<OptionRow<Options>> MakeOptionRows(std::vector<OptionRowText<Options>> texts)
{
    const auto replace = [](std::string& text, std::string_view name, const std::string& by) {
        if (const std::size_t at = text.find(name); at != std::string::npos)
            text.replace(at, name.size(), by);
    };
    std::vector<OptionRow<Options>> rows;
    for (OptionRowText<Options>& r : texts) {
        OptionField<Options>& f = r.field;
        OptionRow<Options> row{r.key,
                               r.option,
                               r.value,
                               r.help,
                               r.noun,
                               std::move(f.limits),
                               f.low,
                               f.high,
                               f.optional,
                               std::move(f.text),
                               std::move(f.read),
                               std::move(f.within),
                               std::move(f.choices)};
        replace(row.help, "{limits}", row.limits);
        replace(row.help, "{default}", row.text(Options{}));
        rows.push_back(std::move(row));
    }
    return rows;
}

// The row of a record word or a command-line name ("tone" or "--tone"); null when none.
template <typename Options>
[[nodiscard]] const OptionRow<Options>* OptionRowOf(const std::vector<OptionRow<Options>>& rows,
                                                    std::string_view keyOrOption)
{
    for (const OptionRow<Options>& row : rows)
        if (!keyOrOption.empty() && (row.key == keyOrOption || row.option == keyOrOption))
            return &row;
    return nullptr;
}

// The record's words of the options in the rows' order: "points=... supersample=... fit=1", with
// `between` standing after the words always written and before the optional ones.
template <typename Options>
[[nodiscard]] std::string OptionWords(const std::vector<OptionRow<Options>>& rows, const Options& options,
                                      const std::string& between)
{
    static const Options defaults;
    std::string always, optional;
    for (const OptionRow<Options>& row : rows) {
        if (row.key.empty())
            continue;
        const std::string value = row.text(options);
        if (!row.optional)
            always += (always.empty() ? "" : " ") + row.key + '=' + value;
        else if (value != row.text(defaults))
            optional += ' ' + row.key + '=' + value;
    }
    return always + between + optional;
}

// Sets the option a record word names from its text; nothing for a word no row keeps, false for a
// text that is not one of its values.
template <typename Options>
[[nodiscard]] std::optional<bool> ReadOptionWord(const std::vector<OptionRow<Options>>& rows,
                                                 std::string_view key, std::string_view text,
                                                 Options& options)
{
    for (const OptionRow<Options>& row : rows)
        if (!row.key.empty() && row.key == key)
            return row.read(text, options);
    return std::nullopt;
}

// The first option outside its limits as a message ("supersampling must be 1 to 8"); empty when
// all are within them.
template <typename Options>
[[nodiscard]] std::string OptionsProblem(const std::vector<OptionRow<Options>>& rows, const Options& options)
{
    for (const OptionRow<Options>& row : rows)
        if (!row.within(options))
            return row.noun + " must be " + row.limits;
    return {};
}

// The field makers. A member is a pointer to a member of the options or a function that gives the
// member of options it is handed (`[](auto& o) -> auto& { return o.x.place; }`).
namespace option_fields {

template <typename Options, typename Member>
using MemberType = std::remove_cvref_t<std::invoke_result_t<Member, Options&>>;

template <typename T> bool ReadWhole(std::string_view text, T& value)
{
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && r.ec == std::errc() && r.ptr == text.data() + text.size();
}

template <typename Options, typename Member> auto NumberReader(Member member)
{
    return [member](std::string_view text, Options& o) {
        MemberType<Options, Member> value{};
        if (!ReadWhole(text, value))
            return false;
        std::invoke(member, o) = value;
        return true;
    };
}

template <typename Options, typename Member> auto WholeText(Member member)
{
    return [member](const Options& o) { return std::to_string(std::invoke(member, o)); };
}

template <typename Options, typename Member> auto FloatText(Member member)
{
    return [member](const Options& o) { return XmlFloatText(std::invoke(member, o)); };
}

// A whole number within low..high; `parsed` when the command line's parser checks the limits,
// `checked` when the member may take nothing else.
template <typename Options, typename Member>
OptionField<Options> Whole(Member member, std::int64_t low, std::int64_t high, bool parsed,
                           bool checked = true)
{
    return {.limits = std::to_string(low) + " to " + std::to_string(high),
            .low = parsed ? low : 0,
            .high = parsed ? high : 0,
            .text = WholeText<Options>(member),
            .read = NumberReader<Options>(member),
            .within = [member, low, high, checked](const Options& o) {
                const auto v = static_cast<std::int64_t>(std::invoke(member, o));
                return !checked || (v >= low && v <= high);
            }};
}

// Any whole number the type holds.
template <typename Options, typename Member> OptionField<Options> Any(Member member)
{
    return {.text = WholeText<Options>(member), .read = NumberReader<Options>(member)};
}

// A number above 0 and at most `high`.
template <typename Options, typename Member> OptionField<Options> Positive(Member member, float high)
{
    return {.limits = "above 0, at most " + std::to_string(static_cast<int>(high)),
            .text = FloatText<Options>(member),
            .read = NumberReader<Options>(member),
            .within = [member, high](const Options& o) {
                return std::invoke(member, o) > 0.0f && std::invoke(member, o) <= high;
            }};
}

// A number from 0 to `high`.
template <typename Options, typename Member> OptionField<Options> UpTo(Member member, float high)
{
    return {.limits = "0 to " + std::to_string(static_cast<int>(high)),
            .text = FloatText<Options>(member),
            .read = NumberReader<Options>(member),
            .within = [member, high](const Options& o) {
                return std::invoke(member, o) >= 0.0f && std::invoke(member, o) <= high;
            }};
}

// One of two whole numbers.
template <typename Options, typename Member> OptionField<Options> Either(Member member, int one, int other)
{
    return {.limits = std::to_string(one) + " or " + std::to_string(other),
            .text = WholeText<Options>(member),
            .read = NumberReader<Options>(member),
            .within = [member, one, other](const Options& o) {
                return std::invoke(member, o) == one || std::invoke(member, o) == other;
            }};
}

// One of `choices` (which outlive the table), by name.
template <typename Options, typename Member, typename E, std::size_t N>
OptionField<Options> Choices(Member member, const std::array<Choice<E>, N>& choices)
{
    std::vector<std::string> names;
    for (const Choice<E>& c : choices)
        names.emplace_back(c.name);
    return {.limits = ChoiceNames(choices),
            .text =
                [member, &choices](const Options& o) {
                    return std::string(
                        choices[static_cast<std::size_t>(ChoiceIndex(choices, std::invoke(member, o)))].name);
                },
            .read =
                [member, &choices](std::string_view text, Options& o) {
                    const std::optional<E> value = ChoiceNamed(choices, text);
                    if (value)
                        std::invoke(member, o) = *value;
                    return value.has_value();
                },
            .choices = std::move(names)};
}

// Set by being named; any other text than "1" in a record reads as unset.
template <typename Options, typename Member> OptionField<Options> Flag(Member member)
{
    return {.optional = true,
            .text = [member](const Options& o) { return std::string(std::invoke(member, o) ? "1" : "0"); },
            .read =
                [member](std::string_view text, Options& o) {
                    std::invoke(member, o) = text == "1";
                    return true;
                }};
}

} // namespace option_fields

} // namespace zephyra
