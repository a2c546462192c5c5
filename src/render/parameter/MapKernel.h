#pragma once
#include "LyapunovMap.h"

#include <cstdint>

namespace zephyra {

// The map's orbits run MAP_LANES pixels at a time, one a vector lane; a lane whose pixel is done
// (escaped or measured) takes the next pixel at once, so escapes leave no lane idle.
constexpr int MAP_LANES = 8;

// The pixels first .. last - 1 of a map (index row x width + column), λ1 of pixel i into
// values[i - first]. The sums are formed in the order of a scalar evaluation, without contraction,
// so each lane's orbit is the one a plain double loop computes.
struct MapPixels {
    const ParameterSystem& system;
    const MapSettings& settings;
    const MonomialTable& table;
};
using MapKernel = void (*)(const MapPixels& job, std::int64_t first, std::int64_t last, double* values);

// The fastest polynomial kernel this processor runs.
[[nodiscard]] MapKernel SelectMapKernel();

// The tangent vector's start, (1, ..., 1) over the system's coordinates, and the state beyond
// which an orbit counts as escaped: the single-precision range of the search's divergence test.
inline constexpr double MAP_ESCAPE_LIMIT = 3.4028234663852886e38;

} // namespace zephyra
