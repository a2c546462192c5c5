#include "RandomGenerator.h"

#include <ctime>

namespace zephyra {

void RandomGenerator::Seed(std::uint64_t seed) { state_ = seed; }

int RandomGenerator::Next()
{
    // splitmix64: full-period, well mixed, and cheap enough for one draw per point.
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<int>(z >> 49); // top 15 bits
}

std::uint64_t RandomGenerator::TimeSeed() { return static_cast<std::uint64_t>(std::time(nullptr)); }

} // namespace zephyra
