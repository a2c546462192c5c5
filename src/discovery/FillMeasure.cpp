#include "FillMeasure.h"

#include <algorithm>
#include <bitset>

namespace zephyra {

namespace {
int Cell(const Point& p, int axis)
{
    const float v = axis >= COORD_X && axis <= COORD_W ? p[static_cast<std::size_t>(axis)] : 0.0f;
    // Normalised points lie in -1..1, but an orbit may leave its bounds after they were taken: it
    // is clamped before the conversion, which is undefined past int's range. A NaN lands in cell 0.
    const float scaled = (v + 1.0f) * (0.5f * FILL_GRID);
    if (!(scaled >= 0.0f))
        return 0;
    return scaled < static_cast<float>(FILL_GRID) ? static_cast<int>(scaled) : FILL_GRID - 1;
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
