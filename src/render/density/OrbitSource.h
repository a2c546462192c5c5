#pragma once
#include "Point.h"

#include <cstdint>
#include <vector>

namespace zephyra {

// What the free-running orbits start from: the attractor's system and its exact orbit. Plain data,
// copied to every worker.
struct OrbitSource {
    int kind = 0;
    int dimension = 0;
    int order = 0;
    std::vector<double> coefficients; // entry 0 unused, as in the record
    std::vector<Point> starts;        // exact points after the transient, in the system's own units
    Point centre{};                   // the exact orbit's normalisation: (p - centre) x scale
    Point scale{1.0f, 1.0f, 1.0f, 1.0f};
};

} // namespace zephyra
