#include "GridPictureBudget.h"

#include "MemoryBudget.h"

namespace zephyra {

std::string GridPictureRefusal(const std::string& what, int width, int height, std::uint64_t cellBytes,
                               std::uint64_t available)
{
    constexpr std::uint64_t RGB_BYTES = 3;
    const std::uint64_t raw = Pixels(width, height) * RGB_BYTES;
    const std::uint64_t need = Pixels(width, height) * cellBytes + raw + EncodedBytes(raw);
    if (available == 0 || need <= available)
        return {};
    return MemoryRefusal("a " + SizeText(width, height) + " " + what, need, available);
}

} // namespace zephyra
