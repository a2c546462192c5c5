// The special maps in parameter space run in double, coefficients too: a map zoomed past the grid
// of float still tells its pixels apart, and a diagram column is the attractor, not a float cycle.
#include "Attractor.h"
#include "LyapunovMap.h"
#include "OrbitDiagram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <set>
#include <vector>

namespace zephyra {
namespace {

// Case Y written out: x' = a1 + a2 x + a3 y + a4 |x| + a5 |y|, y' the same with a6 to a10.
struct ReferenceAbsolute {
    std::vector<double> a;

    // One step; false once the orbit left the range of single precision.
    bool Step(double& x, double& y) const
    {
        const double nx = a[1] + a[2] * x + a[3] * y + a[4] * std::fabs(x) + a[5] * std::fabs(y);
        const double ny = a[6] + a[7] * x + a[8] * y + a[9] * std::fabs(x) + a[10] * std::fabs(y);
        const bool inside = std::fabs(nx) <= FLT_MAX && std::fabs(ny) <= FLT_MAX && x * x + y * y <= FLT_MAX;
        x = nx;
        y = ny;
        return inside;
    }

    // λ1 in bits a step: the tangent vector through the Jacobian, renormalised every step.
    double Lyapunov(double x, double y, int transient, int steps) const
    {
        double v[2] = {std::sqrt(0.5), std::sqrt(0.5)};
        double bits = 0.0;
        for (int i = 0; i < transient + steps; ++i) {
            const double sx = x > 0 ? 1.0 : (x < 0 ? -1.0 : 0.0);
            const double sy = y > 0 ? 1.0 : (y < 0 ? -1.0 : 0.0);
            if (!Step(x, y))
                return NAN;
            if (i < transient)
                continue;
            const double w0 = (a[2] + a[4] * sx) * v[0] + (a[3] + a[5] * sy) * v[1];
            const double w1 = (a[7] + a[9] * sx) * v[0] + (a[8] + a[10] * sy) * v[1];
            const double length = std::sqrt(w0 * w0 + w1 * w1);
            bits += std::log2(length);
            v[0] = w0 / length;
            v[1] = w1 / length;
        }
        return bits / steps;
    }
};

const char* const CASE_Y = "YAXBMKSVBCA";

TEST(SpecialParameterSpace, MapPixelsBetweenFloatsAreThePlainDoubleLoop)
{
    const AttractorRef attractor = Attractor::CreateFromCode(CASE_Y, AttractorDefaults{});
    const ParameterSystem system = ParameterSystem::Of(*attractor);
    // Pixels 4e-9 apart, a tenth of float's spacing there: rounded to float, a row would hold at
    // most two values.
    const double x = system.coefficients[2], y = system.coefficients[8];
    const MapSettings m{{2, x - 1e-8, x + 1e-8}, {8, y - 1e-8, y + 1e-8}, 5, 3, 300, 2000};
    std::vector<double> map;
    ASSERT_TRUE(ComputeMapRows(system, m, 0, m.height, map, {}, {}, 2));
    int chaotic = 0;
    for (int row = 0; row < m.height; ++row) {
        std::set<double> values;
        for (int column = 0; column < m.width; ++column) {
            ReferenceAbsolute reference{system.coefficients};
            reference.a[2] = m.ColumnValue(column);
            reference.a[8] = m.RowValue(row);
            const double expected =
                reference.Lyapunov(system.start[0], system.start[1], m.transient, m.steps);
            const double got = map[static_cast<std::size_t>(row * m.width + column)];
            SCOPED_TRACE(testing::Message() << "column " << column << ", row " << row);
            ASSERT_FALSE(std::isnan(expected));
            EXPECT_NEAR(got, expected, 1e-9);
            values.insert(got);
            chaotic += expected > 0.05;
        }
        EXPECT_EQ(values.size(), 5u);
    }
    EXPECT_EQ(chaotic, m.width * m.height); // the orbits part, so float rounding would show
}

TEST(SpecialParameterSpace, DiagramColumnsAreThePlainDoubleOrbit)
{
    const AttractorRef attractor = Attractor::CreateFromCode(CASE_Y, AttractorDefaults{});
    const ParameterSystem system = ParameterSystem::Of(*attractor);
    DiagramSettings d;
    const double value = system.coefficients[2];
    d.x = {2, value - 0.005, value + 0.005};
    d.width = 3;
    d.height = 200;
    d.points = 20000;
    FitDiagramRange(system, d);
    std::vector<std::uint32_t> counts;
    ASSERT_TRUE(ComputeDiagramColumns(system, d, 0, d.width, counts, {}, {}, 2));
    for (int column = 0; column < d.width; ++column) {
        ReferenceAbsolute reference{system.coefficients};
        reference.a[2] = d.ColumnValue(column);
        std::vector<std::uint32_t> expected(static_cast<std::size_t>(d.height));
        double x = system.start[0], y = system.start[1];
        for (int i = 0; i < d.transient + d.points; ++i) {
            ASSERT_TRUE(reference.Step(x, y));
            const double row = (d.high - x) * (d.height / (d.high - d.low));
            if (i >= d.transient && row >= 0.0 && row < d.height)
                ++expected[static_cast<std::size_t>(row)];
        }
        const std::vector<std::uint32_t> got(counts.begin() + column * d.height,
                                             counts.begin() + (column + 1) * d.height);
        EXPECT_EQ(got, expected) << "column " << column;
        // An attractor spread over many rows, not a short cycle.
        EXPECT_GT(std::count_if(got.begin(), got.end(), [](std::uint32_t n) { return n > 0; }), 50);
    }
}

} // namespace
} // namespace zephyra
