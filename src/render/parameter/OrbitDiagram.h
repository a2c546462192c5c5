#pragma once
#include "LyapunovMap.h"
#include "MapPicture.h"
#include "Picture.h"

#include <cstdint>
#include <optional>
#include <stop_token>
#include <vector>

namespace zephyra {

// An orbit (bifurcation) diagram: coefficient x.place across, and in each column the values of
// one coordinate that `points` orbit points take after the transient, counted into the rows
// (row 0 at `high`). Every other coefficient as the system has it.
struct DiagramSettings {
    ParameterAxis x;
    int coordinate = 0; // 0 to 3: x, y, z, w
    int width = 1920;
    int height = 1080;
    int points = 20000;
    int transient = 500;
    double low = 0.0, high = 0.0; // the coordinate's range up the picture

    [[nodiscard]] double ColumnValue(int column) const { return x.ValueAt(column, width); }
};

// The coordinate's range over the diagram, from short orbits at columns spread across it, with a
// margin; -1..1 when every one of them escapes.
void FitDiagramRange(const ParameterSystem& system, DiagramSettings& settings);

// The counts of columns [first, first + columns), column after column (height counts each, top row
// first), into `counts` (resized); an escaping orbit leaves its column empty. On `threads` threads
// (0: every core); false when stopped.
[[nodiscard]] bool ComputeDiagramColumns(const ParameterSystem& system, const DiagramSettings& settings,
                                         int first, int columns, std::vector<std::uint32_t>& counts,
                                         std::stop_token stop, const MapProgress& progress = {},
                                         int threads = 0);

// Dark ink on white, each cell's tone the log of its count against the log of the largest, with a
// small cross at the attractor's coefficient on the axis at `markValue` when given.
[[nodiscard]] Picture DiagramPicture(const std::vector<std::uint32_t>& counts,
                                     const DiagramSettings& settings, const std::optional<double>& markValue);

} // namespace zephyra
