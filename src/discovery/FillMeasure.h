#pragma once
#include "DisplaySettings.h"
#include "Point.h"

namespace zephyra {

constexpr int FILL_GRID = 64;

// Share (0..1) of the cells of a FILL_GRID x FILL_GRID picture that points first .. n - 1 reach,
// seen as the view shows them unturned: normalised points, the display's x and y axis choices.
// A near-cycle or a thin curve fills little, a smear much.
[[nodiscard]] float MeasureFill(const Point* points, int first, int n, const DisplaySettings& display);

} // namespace zephyra
