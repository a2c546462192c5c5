#include "LyapunovMap.h"
#include "Attractor.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <vector>

namespace zephyra {
namespace {

// An independent evaluation of a polynomial case: the monomials walked recursively with their
// gradients, each equation summed term by term in double, the tangent vector advanced by the
// Jacobian and renormalised with a log every step.
struct ReferencePolynomial {
    const std::vector<double>& a;
    int dimension, order;
    bool ode;
    int terms;

    void Walk(const double* x, int degree, int from, double product, const double* gradient, int& term,
              double* values, double (*rows)[4]) const
    {
        for (int v = from; v < dimension; ++v) {
            double g[4];
            for (int u = 0; u < 4; ++u)
                g[u] = gradient[u] * x[v];
            g[v] += product;
            const double p = product * x[v];
            for (int k = 0; k < dimension; ++k) {
                const double c = a[static_cast<std::size_t>(1 + k * terms + term)];
                values[k] = values[k] + c * p;
                for (int u = 0; u < dimension; ++u)
                    rows[k][u] += c * g[u];
            }
            ++term;
            if (degree < order)
                Walk(x, degree + 1, v, p, g, term, values, rows);
        }
    }

    // One step from x into `out`, and the Jacobian at x.
    void Step(const double* x, double* out, double (*j)[4]) const
    {
        double values[4] = {}, rows[4][4] = {};
        for (int k = 0; k < dimension; ++k)
            values[k] = a[static_cast<std::size_t>(1 + k * terms)];
        const double none[4] = {};
        int term = 1;
        Walk(x, 1, 0, 1.0, none, term, values, rows);
        const double h = static_cast<double>(0.1f);
        for (int k = 0; k < dimension; ++k) {
            out[k] = ode ? x[k] + h * values[k] : values[k];
            for (int u = 0; u < dimension; ++u)
                j[k][u] = ode ? (k == u) + h * rows[k][u] : rows[k][u];
        }
    }

    double Lyapunov(const double* start, int transient, int steps) const
    {
        double x[4] = {start[0], start[1], start[2], start[3]};
        double v[4] = {}, j[4][4];
        for (int k = 0; k < dimension; ++k)
            v[k] = 1.0 / std::sqrt(static_cast<double>(dimension));
        double bits = 0.0;
        for (int i = 0; i < transient + steps; ++i) {
            double next[4] = {};
            Step(x, next, j);
            for (int k = 0; k < dimension; ++k) {
                if (!(std::fabs(next[k]) <= FLT_MAX))
                    return MAP_ESCAPE;
                x[k] = next[k];
            }
            if (i < transient)
                continue;
            double w[4] = {}, length = 0.0;
            for (int k = 0; k < dimension; ++k) {
                for (int u = 0; u < dimension; ++u)
                    w[k] += j[k][u] * v[u];
                length += w[k] * w[k];
            }
            length = std::sqrt(length);
            bits += std::log2(length);
            for (int k = 0; k < dimension; ++k)
                v[k] = w[k] / length;
        }
        return bits / steps;
    }
};

struct MapCase {
    const char* code;
    MapSettings settings;
};

class LyapunovMapTest : public ::testing::TestWithParam<MapCase> {};

TEST_P(LyapunovMapTest, EveryPixelIsThePlainDoubleLoop)
{
    const MapCase& c = GetParam();
    const AttractorRef attractor = Attractor::CreateFromCode(c.code, AttractorDefaults{});
    const ParameterSystem system = ParameterSystem::Of(*attractor);
    ASSERT_EQ(MapRefusal(system), "");
    const MapSettings& m = c.settings;
    std::vector<double> map;
    ASSERT_TRUE(ComputeMapRows(system, m, 0, m.height, map, {}, {}, 2));

    const int terms = system.CoefficientsCount() / system.dimension;
    int escapes = 0, chaotic = 0, regular = 0;
    for (int row = 0; row < m.height; ++row)
        for (int column = 0; column < m.width; ++column) {
            std::vector<double> a = system.coefficients;
            a[static_cast<std::size_t>(m.x.place)] = m.ColumnValue(column);
            a[static_cast<std::size_t>(m.y.place)] = m.RowValue(row);
            const ReferencePolynomial reference{a, system.dimension, system.order, system.kind == KIND_ODE,
                                                terms};
            const double expected = reference.Lyapunov(system.start.data(), m.transient, m.steps);
            const double got = map[static_cast<std::size_t>(row * m.width + column)];
            SCOPED_TRACE(testing::Message() << "column " << column << ", row " << row);
            if (std::isnan(expected)) {
                EXPECT_TRUE(IsEscape(got)) << got;
                ++escapes;
                continue;
            }
            EXPECT_NEAR(got, expected, 1e-7); // the tangent sums differ in order only
            (expected > 0.002 ? chaotic : regular) += expected > 0.002 || expected < -0.002;
        }
    // The ranges are chosen so that every kind of pixel is checked.
    EXPECT_GT(escapes, 0);
    EXPECT_GT(chaotic, 0);
    EXPECT_GT(regular, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LyapunovMapTest,
    ::testing::Values(
        // Henon over a (the x^2 term) and b (the y term).
        MapCase{"EWM?MPMMWMMMM", {{3, -2.1, -0.1}, {5, -0.4, 0.6}, 17, 13, 300, 700}},
        // A 3D quadratic map, and a 3D ODE, each around its own code.
        MapCase{"IHMHJWVYQWVGPHXKMEXYSPECYTMPVVA", {{4, -0.6, 0.6}, {17, -0.4, 1.4}, 11, 9, 200, 500}},
        MapCase{"QDURUCPMORWCNVWALHUENMVOMXCONMK", {{2, 0.6, 1.4}, {12, -0.4, 0.2}, 9, 7, 300, 3000}}));

TEST(LyapunovMapBands, AnyBandOfRowsIsThoseRowsOfTheWholeMap)
{
    const AttractorRef attractor = Attractor::CreateFromCode("EWM?MPMMWMMMM", AttractorDefaults{});
    const ParameterSystem system = ParameterSystem::Of(*attractor);
    const MapSettings m{{3, -1.9, -0.9}, {5, -0.2, 0.8}, 23, 19, 100, 300};
    std::vector<double> whole, band;
    ASSERT_TRUE(ComputeMapRows(system, m, 0, m.height, whole, {}, {}, 1));
    ASSERT_TRUE(ComputeMapRows(system, m, 7, 5, band, {}, {}, 3));
    for (std::size_t i = 0; i < band.size(); ++i) {
        const double w = whole[7 * 23 + i];
        EXPECT_TRUE(w == band[i] || (IsEscape(w) && IsEscape(band[i]))) << i;
    }
}

// The known answer: Henon's classic attractor (a = -1.4, b = 0.3) has λ1 = 0.419 nats, 0.605 bits.
TEST(LyapunovMapBands, HenonsClassicPixelHasItsKnownExponent)
{
    const AttractorRef attractor = Attractor::CreateFromCode("EWM?MPMMWMMMM", AttractorDefaults{});
    const MapSettings m{{3, -1.4001, -1.3999}, {5, 0.2999, 0.3001}, 1, 1, 1000, 100000};
    std::vector<double> value;
    ASSERT_TRUE(ComputeMapRows(ParameterSystem::Of(*attractor), m, 0, 1, value, {}));
    EXPECT_NEAR(value[0], 0.605, 0.01);
}

} // namespace
} // namespace zephyra
