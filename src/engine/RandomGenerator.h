#pragma once
#include <cstdint>

namespace zephyra {

// The program's one pseudo-random source: integers uniform in 0..32767.
// Its owner (the document) seeds it from the clock; tests seed it with fixed values.
class RandomGenerator {
public:
    static constexpr int Max = 32767;

    explicit RandomGenerator(std::uint64_t seed) { Seed(seed); }

    void Seed(std::uint64_t seed);
    [[nodiscard]] int Next();

    // Seconds of the current calendar time, the seed a new document uses.
    [[nodiscard]] static std::uint64_t TimeSeed();

private:
    std::uint64_t state_ = 0;
};

} // namespace zephyra
