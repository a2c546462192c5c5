#pragma once
#include "Attractor.h"
#include "Iterate.h"
#include "PointBuffer.h"
#include "PointGeneration.h"

#include <algorithm>
#include <limits>
#include <memory>

namespace zephyra::testing {

// Fills a point buffer with the attractor's orbit, each axis scaled onto -1..1, without the
// document's search and status texts: the drawing tests need real points, nothing more.
inline void FillOrbit(PointBuffer& buffer, Attractor& attractor, int count)
{
    buffer.points = std::make_unique<Point[]>(static_cast<std::size_t>(count));
    buffer.count = count;
    attractor.pointsCount = count;
    Point p{attractor.display.x0, attractor.display.y0, attractor.display.z0, attractor.display.w0};
    constexpr float HUGE_VALUE = std::numeric_limits<float>::max();
    Point lo{HUGE_VALUE, HUGE_VALUE, HUGE_VALUE, HUGE_VALUE},
        hi{-HUGE_VALUE, -HUGE_VALUE, -HUGE_VALUE, -HUGE_VALUE};
    for (int i = 0; i < count; ++i) {
        Point next{};
        Iterate(attractor, p, next, i);
        p = next;
        buffer.points[i] = p;
        for (int k = 0; k < 4; ++k) {
            lo[k] = std::min(lo[k], p[k]);
            hi[k] = std::max(hi[k], p[k]);
        }
    }
    NormalizePoints(buffer.points.get(), count, lo, hi);
    buffer.ready = true;
}

// A buffer of `count` copies of one point.
inline void FillConstant(PointBuffer& buffer, Attractor& attractor, int count, const Point& point)
{
    buffer.points = std::make_unique<Point[]>(static_cast<std::size_t>(count));
    std::fill(buffer.points.get(), buffer.points.get() + count, point);
    buffer.count = count;
    attractor.pointsCount = count;
    buffer.ready = true;
}

inline constexpr const char* HENON_CODE = "EWM?MPMMWMMMM";

} // namespace zephyra::testing
