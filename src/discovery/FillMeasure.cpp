#include "FillMeasure.h"

#include <algorithm>
#include <bitset>

namespace zephyra {

namespace {
int Cell(const Point& p, int axis)
{
    const float v = axis >= COORD_X && axis <= COORD_W ? p[static_cast<std::size_t>(axis)] : 0.0f;
    // Normalised points lie in -1..1; a NaN lands in cell 0 rather than anywhere undefined.
    const float scaled = (v + 1.0f) * (0.5f * FILL_GRID);
    return scaled >= 0.0f ? std::min(static_cast<int>(scaled), FILL_GRID - 1) : 0;
}
} // namespace

float MeasureFill(const Point* points, int first, int n, const DisplaySettings& display)
{
    std::bitset<FILL_GRID * FILL_GRID> reached;
    for (int i = std::max(first, 0); i < n; ++i)
        reached.set(static_cast<std::size_t>(Cell(points[i], display.coordY) * FILL_GRID +
                                             Cell(points[i], display.coordX)));
    return static_cast<float>(reached.count()) / static_cast<float>(FILL_GRID * FILL_GRID);
}

} // namespace zephyra
