#pragma once
#include "Point.h"

#include <cstdint>
#include <memory>

namespace zephyra {

// The computed orbit of the current attractor, owned by the document and drawn by the views.
// `ready` is true only while the points belong to the current attractor and are normalised.
struct PointBuffer {
    std::unique_ptr<Point[]> points;
    std::int32_t count = 0;
    bool ready = false;
};

} // namespace zephyra
