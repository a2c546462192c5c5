#pragma once
#include "Attractor.h"
#include "Point.h"

#include <vector>

namespace zephyra {

// What an orbit of an attractor needs, copied out of the record, so that a worker thread never
// reads a record the document may change or release.
struct OrbitSystem {
    bool valid = false; // a case and a code of the right length
    int kind = 0;
    int dimension = 0;
    int order = 0;
    int pointsCount = 0;             // the N of the special maps' w = i / N
    std::vector<float> coefficients; // as the exact engine runs them (exact values rounded once)
    Point start{};

    [[nodiscard]] static OrbitSystem Of(const Attractor& a)
    {
        const DisplaySettings& d = a.display;
        const bool valid = a.valid && static_cast<int>(a.coefficients.size()) == a.codeLength;
        return {valid,
                a.kind,
                a.dimension,
                a.order,
                a.pointsCount,
                a.OrbitCoefficients(),
                {d.x0, d.y0, d.z0, d.w0}};
    }
};

} // namespace zephyra
