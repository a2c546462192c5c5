#pragma once
#include <span>

namespace zephyra {

// One sub-pixel shift of an antialiasing pass, in pixels.
struct JitterSample {
    float x;
    float y;
};

// The shifts of one antialiasing run: 4 for setting 0, 8 for any other value.
[[nodiscard]] std::span<const JitterSample> JitterTable(int antialias);
// The weight of each pass; the weights of a table add up to exactly 1.
[[nodiscard]] float JitterWeight(int antialias);

} // namespace zephyra
