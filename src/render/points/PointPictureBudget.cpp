#include "PointPictureBudget.h"

#include "MemoryBudget.h"
#include "Point.h"

#include <algorithm>

namespace zephyra {

std::string PointPictureRefusal(int width, int height, std::int64_t points, std::uint64_t available)
{
    const std::uint64_t picture = Pixels(width, height) * 3;
    const std::uint64_t need = static_cast<std::uint64_t>(std::max<std::int64_t>(points, 0)) * sizeof(Point) +
                               picture + EncodedBytes(picture);
    if (available == 0 || need <= available)
        return {};
    return MemoryRefusal("a " + SizeText(width, height) + " picture of " + std::to_string(points) + " points",
                         need, available);
}

} // namespace zephyra
