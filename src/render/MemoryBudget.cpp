#include "MemoryBudget.h"

#include <algorithm>

namespace zephyra {

namespace {

// zlib's window and hash chains, libpng's rows, libwebp's tables: a little beside the pictures.
constexpr std::uint64_t ENCODER_STATE = MIB;

std::string MiB(std::uint64_t bytes)
{
    return std::to_string((bytes + MIB - 1) / MIB) + " MiB";
}

} // namespace

std::uint64_t Pixels(int width, int height)
{
    return static_cast<std::uint64_t>(std::max(width, 0)) * static_cast<std::uint64_t>(std::max(height, 0));
}

std::uint64_t EncodedBytes(std::uint64_t rawBytes)
{
    return rawBytes / 2 + ENCODER_STATE;
}

std::string MemoryRefusal(const std::string& what, std::uint64_t need, std::uint64_t available)
{
    return "not enough memory for " + what + ": it needs at least " + MiB(need) + ", " + MiB(available) +
           " can be had";
}

std::string SizeText(int width, int height)
{
    return std::to_string(width) + "x" + std::to_string(height);
}

} // namespace zephyra
