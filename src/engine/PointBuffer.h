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
    // The map the points were normalised with, (p - centre) x scale, so that other orbits of the
    // same attractor can be placed as these are.
    Point centre{};
    Point scale{1.0f, 1.0f, 1.0f, 1.0f};
};

} // namespace zephyra
