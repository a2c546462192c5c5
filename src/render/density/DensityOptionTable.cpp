#include "DensityOptionTable.h"

#include "XmlNumbers.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace zephyra {

namespace {

// What a row does with its member: the columns after the names and texts.
struct Field {
    std::string limits;
    std::int64_t low = 0, high = 0;
    bool optional = false;
    std::function<std::string(const DensityOptions&)> text;
    std::function<bool(std::string_view, DensityOptions&)> read;
    std::function<bool(const DensityOptions&)> within;
    std::vector<std::string> choices;
};

template <typename T> bool ReadWhole(std::string_view text, T& value)
{
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && r.ec == std::errc() && r.ptr == text.data() + text.size();
}

template <typename T> std::function<bool(std::string_view, DensityOptions&)> Reader(T DensityOptions::*member)
{
    return [member](std::string_view text, DensityOptions& o) {
        T value{};
        if (!ReadWhole(text, value))
            return false;
        o.*member = value;
        return true;
    };
}

// A whole number within low..high; `parsed` when the command line's parser checks the limits,
// `checked` when the renderer takes nothing else.
template <typename T>
Field Whole(T DensityOptions::*member, std::int64_t low, std::int64_t high, bool parsed, bool checked = true)
{
    return {std::to_string(low) + " to " + std::to_string(high),
            parsed ? low : 0,
            parsed ? high : 0,
            false,
            [member](const DensityOptions& o) { return std::to_string(o.*member); },
            Reader(member),
            [member, low, high, checked](const DensityOptions& o) {
                const auto v = static_cast<std::int64_t>(o.*member);
                return !checked || (v >= low && v <= high);
            }};
}

// Any whole number the type holds.
template <typename T> Field Any(T DensityOptions::*member)
{
    return {"",
            0,
            0,
            false,
            [member](const DensityOptions& o) { return std::to_string(o.*member); },
            Reader(member),
            [](const DensityOptions&) { return true; }};
}

// A number above 0 and at most `high`.
Field Positive(float DensityOptions::*member, float high)
{
    return {"above 0, at most " + std::to_string(static_cast<int>(high)),
            0,
            0,
            false,
            [member](const DensityOptions& o) { return XmlFloatText(o.*member); },
            Reader(member),
            [member, high](const DensityOptions& o) { return o.*member > 0.0f && o.*member <= high; }};
}

// A number from 0 to `high`.
Field UpTo(float DensityOptions::*member, float high)
{
    return {"0 to " + std::to_string(static_cast<int>(high)),
            0,
            0,
            false,
            [member](const DensityOptions& o) { return XmlFloatText(o.*member); },
            Reader(member),
            [member, high](const DensityOptions& o) { return o.*member >= 0.0f && o.*member <= high; }};
}

// One of two whole numbers.
Field Either(int DensityOptions::*member, int one, int other)
{
    return {std::to_string(one) + " or " + std::to_string(other),
            0,
            0,
            false,
            [member](const DensityOptions& o) { return std::to_string(o.*member); },
            Reader(member),
            [member, one, other](const DensityOptions& o) { return o.*member == one || o.*member == other; }};
}

template <typename E, std::size_t N>
Field Choices(E DensityOptions::*member, const std::array<Choice<E>, N>& choices)
{
    std::vector<std::string> names;
    for (const Choice<E>& c : choices)
        names.emplace_back(c.name);
    return {ChoiceNames(choices),
            0,
            0,
            false,
            [member, &choices](const DensityOptions& o) {
                return std::string(choices[static_cast<std::size_t>(ChoiceIndex(choices, o.*member))].name);
            },
            [member, &choices](std::string_view text, DensityOptions& o) {
                const std::optional<E> value = ChoiceNamed(choices, text);
                if (value)
                    o.*member = *value;
                return value.has_value();
            },
            [](const DensityOptions&) { return true; },
            std::move(names)};
}

// Set by being named; any other text than "1" in a record reads as unset.
Field Flag(bool DensityOptions::*member)
{
    return {"",
            0,
            0,
            true,
            [member](const DensityOptions& o) { return std::string(o.*member ? "1" : "0"); },
            [member](std::string_view text, DensityOptions& o) {
                o.*member = text == "1";
                return true;
            },
            [](const DensityOptions&) { return true; }};
}

std::string ColorHex(const Rgb& c)
{
    auto byte = [](float v) {
        return static_cast<unsigned>((v > 0.0f ? std::min(v, 1.0f) : 0.0f) * 255.0f + 0.5f);
    };
    char text[8];
    std::snprintf(text, sizeof text, "%02x%02x%02x", byte(c[0]), byte(c[1]), byte(c[2]));
    return text;
}

// RRGGBB, or none at all; empty for the attractor's own background.
Field Background()
{
    return {"RRGGBB or " + std::string(TRANSPARENT_BACKGROUND),
            0,
            0,
            true,
            [](const DensityOptions& o) {
                return o.transparent  ? std::string(TRANSPARENT_BACKGROUND)
                       : o.background ? ColorHex(*o.background)
                                      : std::string();
            },
            [](std::string_view text, DensityOptions& o) {
                const bool transparent = text == TRANSPARENT_BACKGROUND;
                const std::optional<Rgb> color = ParseHexColor(text);
                if (!transparent && !color)
                    return false;
                o.transparent = transparent;
                o.background = color;
                return true;
            },
            [](const DensityOptions&) { return true; }};
}

// Mebibytes of canvas, parsed within 1..high.
Field Mebibytes(std::size_t DensityOptions::*member, std::int64_t high)
{
    return {"1 to " + std::to_string(high),
            1,
            high,
            false,
            [member](const DensityOptions& o) { return std::to_string(o.*member >> 20); },
            [member](std::string_view text, DensityOptions& o) {
                std::size_t mib = 0;
                if (!ReadWhole(text, mib))
                    return false;
                o.*member = mib << 20;
                return true;
            },
            [](const DensityOptions&) { return true; }};
}

struct RowText {
    const char* key;
    const char* option;
    const char* value;
    const char* help;
    const char* noun;
    Field field;
};

void Replace(std::string& text, std::string_view name, const std::string& by)
{
    if (const std::size_t at = text.find(name); at != std::string::npos)
        text.replace(at, name.size(), by);
}

DensityOptionRow MakeRow(RowText r)
{
    DensityOptionRow row{r.key,
                         r.option,
                         r.value,
                         r.help,
                         r.noun,
                         std::move(r.field.limits),
                         r.field.low,
                         r.field.high,
                         r.field.optional,
                         std::move(r.field.text),
                         std::move(r.field.read),
                         std::move(r.field.within),
                         std::move(r.field.choices)};
    Replace(row.help, "{limits}", row.limits);
    Replace(row.help, "{default}", row.text(DensityOptions{}));
    return row;
}

std::vector<DensityOptionRow> MakeRows()
{
    using O = DensityOptions;
    const RowText rows[] = {
        {"points", "", "", "", "the number of points",
         Whole(&O::points, 1, static_cast<std::int64_t>(LARGEST_DENSITY_POINTS), false)},
        {"supersample", "--supersample", "S",
         "canvas S times larger each way, averaged down ({limits}, default {default})", "supersampling",
         Whole(&O::supersample, LEAST_SUPERSAMPLE, LARGEST_SUPERSAMPLE, true)},
        {"tone", "--tone", "T", "{limits} (default {default})", "the tone map",
         Choices(&O::tone, TONE_CHOICES)},
        {"gamma", "--gamma", "G", "the power of --tone gamma (default {default})", "gamma",
         Positive(&O::gamma, LARGEST_GAMMA)},
        {"smooth", "--smooth", "R",
         "spread a cell hit c times over R / sqrt(c) pixels: sparse regions\n"
         "without grain, dense ones sharp ({limits}, 0 none; default {default})",
         "the smoothing radius", UpTo(&O::smooth, LARGEST_SMOOTH)},
        {"colors", "--colors", "C", "{limits}\n(default {default}: the view's point colours)",
         "the colour map", Choices(&O::palette, PALETTE_CHOICES)},
        {"fit", "--fit", "",
         "move the camera so that the attractor fills the picture, centred, with margins of 5 %\n"
         "of the shorter side (render: the default for a camera nobody moved)",
         "", Flag(&O::fit)},
        {"shade", "--shade", "",
         "darken what lies behind its neighbours, giving the folds of a 3D or 4D attractor\n"
         "volume (a 2D one has no depth and ignores it)",
         "", Flag(&O::shade)},
        {"background", "--background", "RRGGBB|transparent",
         "(default: a palette's colour for no density, else the attractor's\n"
         "background colour; a palette fades into a given one);\n"
         "transparent: RGBA with the density as alpha",
         "the background", Background()},
        {"depth", "--depth", "8|16", "bits a channel (default {default})", "the depth",
         Either(&O::depth, 8, 16)},
        {"seed", "", "", "", "the seed", Any(&O::seed)},
        {"", "--threads", "T",
         "worker threads, {limits} (default: every core); with --seed, the same bytes again",
         "the number of threads", Whole(&O::threads, 1, MOST_THREADS, true, false)},
        {"", "--memory", "MiB",
         "canvas memory; larger pictures render in strips (default {default}, less\n"
         "when the machine or its memory cgroup has less to give)",
         "the canvas memory", Mebibytes(&O::memoryLimit, LARGEST_MEMORY_MIB)},
    };
    std::vector<DensityOptionRow> table;
    for (const RowText& r : rows)
        table.push_back(MakeRow(r));
    return table;
}

} // namespace

const std::vector<DensityOptionRow>& DensityOptionRows()
{
    static const std::vector<DensityOptionRow> rows = MakeRows();
    return rows;
}

const DensityOptionRow* DensityOptionRowOf(std::string_view keyOrOption)
{
    for (const DensityOptionRow& row : DensityOptionRows())
        if (!keyOrOption.empty() && (row.key == keyOrOption || row.option == keyOrOption))
            return &row;
    return nullptr;
}

std::string DensityOptionWords(const DensityOptions& options, const std::string& between)
{
    static const DensityOptions defaults;
    std::string always, optional;
    for (const DensityOptionRow& row : DensityOptionRows()) {
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

std::optional<bool> ReadDensityOptionWord(std::string_view key, std::string_view text,
                                          DensityOptions& options)
{
    for (const DensityOptionRow& row : DensityOptionRows())
        if (!row.key.empty() && row.key == key)
            return row.read(text, options);
    return std::nullopt;
}

std::string DensityOptionsProblem(const DensityOptions& options)
{
    for (const DensityOptionRow& row : DensityOptionRows())
        if (!row.within(options))
            return row.noun + " must be " + row.limits;
    return {};
}

std::optional<Rgb> ParseHexColor(std::string_view text)
{
    unsigned value = 0;
    if (text.size() != 6)
        return std::nullopt;
    const auto r = std::from_chars(text.data(), text.data() + 6, value, 16);
    if (r.ec != std::errc() || r.ptr != text.data() + 6)
        return std::nullopt;
    return Rgb{static_cast<float>((value >> 16) & 255) / 255.0f,
               static_cast<float>((value >> 8) & 255) / 255.0f, static_cast<float>(value & 255) / 255.0f};
}

} // namespace zephyra
