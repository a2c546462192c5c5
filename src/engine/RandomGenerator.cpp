#include "RandomGenerator.h"

#include <ctime>

namespace zephyra {

std::uint64_t RandomGenerator::TimeSeed()
{
    return static_cast<std::uint64_t>(std::time(nullptr));
}

} // namespace zephyra
