#include "ParameterOptionTable.h"

#include <charconv>
#include <cmath>
#include <tuple>

namespace zephyra {

namespace {

using namespace option_fields;

bool ReadFinite(std::string_view text, double& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

// "A..B", both finite doubles (a map may zoom past float's grid), within its limits when A is below
// B. `ends` gives the two members of options it is handed (`std::tie(o.low, o.high)`).
template <typename Options, typename Ends> OptionField<Options> Range(Ends ends)
{
    return {.limits = "A..B with A below B",
            .text =
                [ends](const Options& o) {
                    const auto [low, high] = ends(o);
                    return RangeText(low, high);
                },
            .read =
                [ends](std::string_view text, Options& o) {
                    const std::size_t dots = text.find("..");
                    double low = 0.0, high = 0.0;
                    if (dots == std::string_view::npos || !ReadFinite(text.substr(0, dots), low) ||
                        !ReadFinite(text.substr(dots + 2), high))
                        return false;
                    ends(o) = std::tie(low, high);
                    return true;
                },
            .within =
                [ends](const Options& o) {
                    const auto [low, high] = ends(o);
                    return low < high;
                }};
}

// WIDTHxHEIGHT, which the command line reads by its own rules; the record keeps each side alone.
template <typename Options> OptionField<Options> Size()
{
    return {
        .limits = "1 to " + std::to_string(LARGEST_PARAMETER_SIDE) + " pixels a side",
        .text = [](const Options& o) { return std::to_string(o.width) + "x" + std::to_string(o.height); }};
}

template <typename Options> OptionField<Options> Side(int Options::*member)
{
    return Whole<Options>(member, 1, LARGEST_PARAMETER_SIDE, false);
}

// A coefficient's place, 1 to however many the code has.
template <typename Options, typename Member> OptionField<Options> Place(Member member)
{
    return {.limits = "1 to M",
            .text = WholeText<Options>(member),
            .read = NumberReader<Options>(member),
            .within = [member](const Options& o) { return std::invoke(member, o) >= 1; }};
}

std::vector<MapOptionRow> MakeMapRows()
{
    using M = MapSettings;
    return MakeOptionRows<M>({
        {"x", "--x", "I", "the coefficient across: its place in the code, {limits}", "",
         Place<M>([](auto& m) -> auto& { return m.x.place; })},
        {"y", "--y", "J", "the coefficient upwards, another place", "",
         Place<M>([](auto& m) -> auto& { return m.y.place; })},
        {"x-range", "--x-range", "A..B", "values of I across (default its value +- 0.5)", "",
         Range<M>([](auto& m) { return std::tie(m.x.low, m.x.high); })},
        {"y-range", "--y-range", "C..D", "values of J upwards (default its value +- 0.5)", "",
         Range<M>([](auto& m) { return std::tie(m.y.low, m.y.high); })},
        {"", "--size", "WxH", "map size in pixels (default {default})", "", Size<M>()},
        {"width", "", "", "", "", Side<M>(&M::width)},
        {"height", "", "", "", "", Side<M>(&M::height)},
        {"transient", "--transient", "T", "steps run first at each pixel (default {default})", "",
         Whole<M>(&M::transient, 0, MOST_STEPS, true)},
        {"steps", "--steps", "N", "steps of l1 a pixel (default {default})", "",
         Whole<M>(&M::steps, 1, MOST_STEPS, true)},
    });
}

std::vector<DiagramOptionRow> MakeDiagramRows()
{
    using D = DiagramSettings;
    return MakeOptionRows<D>({
        {"x", "--x", "I", "the coefficient across: its place in the code, {limits}", "",
         Place<D>([](auto& d) -> auto& { return d.x.place; })},
        {"range", "--range", "A..B", "values of I across (default its value +- 0.5)", "",
         Range<D>([](auto& d) { return std::tie(d.x.low, d.x.high); })},
        {"coordinate", "--coordinate", "C", "the coordinate counted: {limits} (default {default})", "",
         Choices<D>(&D::coordinate, COORDINATE_CHOICES)},
        {"values", "", "", "", "", Range<D>([](auto& d) { return std::tie(d.low, d.high); })},
        {"", "--size", "WxH", "diagram size in pixels (default {default})", "", Size<D>()},
        {"width", "", "", "", "", Side<D>(&D::width)},
        {"height", "", "", "", "", Side<D>(&D::height)},
        {"points", "--points", "N", "points counted a column (default {default})", "",
         Whole<D>(&D::points, 1, MOST_STEPS, true)},
        {"transient", "--transient", "T", "steps run first in each column (default {default})", "",
         Whole<D>(&D::transient, 0, MOST_STEPS, true)},
    });
}

} // namespace

const std::vector<MapOptionRow>& MapOptionRows()
{
    static const std::vector<MapOptionRow> rows = MakeMapRows();
    return rows;
}

const std::vector<DiagramOptionRow>& DiagramOptionRows()
{
    static const std::vector<DiagramOptionRow> rows = MakeDiagramRows();
    return rows;
}

std::string ShortestText(double value)
{
    char text[64];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::string RangeText(double low, double high)
{
    return ShortestText(low) + ".." + ShortestText(high);
}

} // namespace zephyra
