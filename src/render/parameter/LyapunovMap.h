#pragma once
#include "ParameterSystem.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <stop_token>
#include <vector>

namespace zephyra {

// One swept coefficient: its place in the code (1 to M) and the values at the ends of its axis.
struct ParameterAxis {
    int place = 0;
    double low = 0.0, high = 0.0;

    // The value at the centre of cell `index` of `count` cells from low to high.
    [[nodiscard]] double ValueAt(int index, int count) const
    {
        return low + (high - low) * ((index + 0.5) / count);
    }
};

// Coefficient `place` from its value - 0.5 to its value + 0.5, the ends as the short decimals
// they are meant to be.
[[nodiscard]] ParameterAxis DefaultAxis(const ParameterSystem& system, int place);

// A Lyapunov map: coefficient x.place across, y.place upwards (row 0 at y.high), every other
// coefficient as the system has it. Each pixel runs the orbit in double from the start point:
// `transient` steps, then `steps` steps of the largest exponent by the tangent method.
struct MapSettings {
    ParameterAxis x, y;
    int width = 512;
    int height = 512;
    int transient = 500;
    int steps = 2000;

    [[nodiscard]] double ColumnValue(int column) const { return x.ValueAt(column, width); }
    [[nodiscard]] double RowValue(int row) const { return y.ValueAt(height - 1 - row, height); }
};

// The value of a pixel whose orbit escaped: it left the range of single precision (the search's
// divergence test) or stopped being finite.
inline constexpr double MAP_ESCAPE = std::numeric_limits<double>::quiet_NaN();
[[nodiscard]] inline bool IsEscape(double value)
{
    return std::isnan(value);
}

// Called with the share of the rows done.
using MapProgress = std::function<void(double fraction)>;

// λ1 in bits per step of rows [top, top + rows) of the map, row by row into `values` (resized), on
// `threads` threads (0: every core). False, with `values` incomplete, when stopped. The system must
// pass MapRefusal.
[[nodiscard]] bool ComputeMapRows(const ParameterSystem& system, const MapSettings& settings, int top,
                                  int rows, std::vector<double>& values, std::stop_token stop,
                                  const MapProgress& progress = {}, int threads = 0);

} // namespace zephyra
