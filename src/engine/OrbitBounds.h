#pragma once
#include "Point.h"

namespace zephyra {

// Per-coordinate smallest and largest values of an orbit, from the first point after its transient.
struct OrbitBounds {
    Point min{}, max{};

    void Start(const Point& p) { min = max = p; }
    // A value above the maximum cannot also be below the minimum, so the second test is skipped.
    void Update(const Point& p)
    {
        for (int k = 0; k < 4; ++k) {
            if (p[k] > max[k])
                max[k] = p[k];
            else if (p[k] < min[k])
                min[k] = p[k];
        }
    }
    // Point i of a run whose bounds start at point `from`.
    void Add(const Point& p, int i, int from)
    {
        if (i == from)
            Start(p);
        else if (i > from)
            Update(p);
    }
};

} // namespace zephyra
