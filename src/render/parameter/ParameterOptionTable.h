#pragma once
#include "OptionTable.h"
#include "OrbitDiagram.h"

#include <array>
#include <string>
#include <vector>

namespace zephyra {

// The options of a Lyapunov map and of an orbit diagram, each said once in a row of the tables in
// ParameterOptionTable.cpp (the form of OptionTable.h): the command line's options and help and
// the record a map or diagram picture carries are made from them. The rows stand in the order the
// record writes them; a row without a key (--size) only the command line knows, one without an
// option (width, the diagram's values) only the record.
using MapOptionRow = OptionRow<MapSettings>;
using DiagramOptionRow = OptionRow<DiagramSettings>;

[[nodiscard]] const std::vector<MapOptionRow>& MapOptionRows();
[[nodiscard]] const std::vector<DiagramOptionRow>& DiagramOptionRows();

// A side of a map or diagram picture.
inline constexpr int LARGEST_PARAMETER_SIDE = 32768;
// Steps and points a pixel or column.
inline constexpr int MOST_STEPS = 100000000;
inline constexpr std::array<Choice<int>, 4> COORDINATE_CHOICES{
    {{"x", "x", 0}, {"y", "y", 1}, {"z", "z", 2}, {"w", "w", 3}}};

// The shortest text that reads back to `value`.
[[nodiscard]] std::string ShortestText(double value);
// "A..B" with each end the shortest text that reads back to the same double.
[[nodiscard]] std::string RangeText(double low, double high);

} // namespace zephyra
