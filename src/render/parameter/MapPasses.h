#pragma once
#include "LyapunovMap.h"

#include <functional>
#include <stop_token>
#include <vector>

namespace zephyra {

// A map shown while it is computed: passes at 1/8, 1/4 and 1/2 of each side, then the whole one,
// each spread over the whole map's pixels (a coarse pixel fills the block it stands for), so a
// window shows a rough picture at once and sharpens it.
inline constexpr int MAP_PASS_DIVISORS[] = {8, 4, 2, 1};

struct MapPass {
    int divisor = 1;            // 1: the whole map, exact
    std::vector<double> values; // width x height of the whole map, row by row
};

// The same ranges at 1/divisor of each side, rounded up.
[[nodiscard]] MapSettings PassSettings(const MapSettings& whole, int divisor);
// The values of a pass (laid out as `pass`) on the pixels of the whole map.
[[nodiscard]] std::vector<double> SpreadPass(const std::vector<double>& values, const MapSettings& pass,
                                             const MapSettings& whole);

// Computes the passes from coarse to fine and hands each to `deliver`, skipping a pass no finer
// than the one before; false when stopped (the pass under way is dropped).
[[nodiscard]] bool ComputeMapPasses(const ParameterSystem& system, const MapSettings& whole,
                                    std::stop_token stop, const std::function<void(MapPass)>& deliver,
                                    int threads = 0);

} // namespace zephyra
