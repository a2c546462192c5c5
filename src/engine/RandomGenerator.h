#pragma once
#include <cstdint>

namespace zephyra {

// The program's one pseudo-random source: integers uniform in 0..32767.
// Its owner (the document) seeds it from the clock; tests seed it with fixed values.
class RandomGenerator {
public:
    static constexpr int Max = 32767;

    explicit RandomGenerator(std::uint64_t seed) { Seed(seed); }

    void Seed(std::uint64_t seed) { state_ = seed; }
    // splitmix64: full-period, well mixed, and cheap enough for one draw per point (inline: the
    // dimension estimate draws once per iteration).
    [[nodiscard]] int Next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        return static_cast<int>(z >> 49); // top 15 bits
    }

    // Seconds of the current calendar time, the seed a new document uses.
    [[nodiscard]] static std::uint64_t TimeSeed();

private:
    std::uint64_t state_ = 0;
};

} // namespace zephyra
