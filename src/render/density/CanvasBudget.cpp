#include "CanvasBudget.h"

#include <algorithm>

namespace zephyra {

std::uint64_t PictureBytes(const DensityOptions& o)
{
    return Pixels(o.width, o.height) * o.PixelBytes();
}

bool FitCanvas(DensityOptions& o, std::uint64_t fixed, std::uint64_t leastCanvas, std::uint64_t available)
{
    // Strips take seven eighths of the canvas memory, the rest is kept for the exact orbit.
    const std::uint64_t leastLimit = leastCanvas + leastCanvas / 7 + 8;
    if (available != 0 && (fixed > available || available - fixed < leastLimit))
        return false;
    if (available != 0)
        o.memoryLimit = static_cast<std::size_t>(std::min<std::uint64_t>(o.memoryLimit, available - fixed));
    return true;
}

} // namespace zephyra
