// The special maps' spectra and exponents against a plain double loop written here from their
// formulas, with the Jacobian taken by central differences; the loop itself is first checked on the
// Henon map.
#include "Attractor.h"
#include "LyapunovExponents.h"
#include "PointGeneration.h"
#include "WorkerServices.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

using namespace zephyra;

namespace {

using State = std::array<double, 3>; // x, y and, for case '^', the phase
using Map = std::function<State(const State&)>;
constexpr double TWO_PI = static_cast<double>(6.2831855f);

std::vector<double> CoefficientsOf(const std::string& code)
{
    const AttractorRef a = Attractor::CreateFromCode(code, AttractorDefaults{});
    return {a->coefficients.begin(), a->coefficients.end()};
}

// Every exponent in bits per step, largest first: n tangent vectors carried by the Jacobian and
// orthonormalised by Gram-Schmidt every step. A difference in the phase is taken modulo 2 pi.
std::vector<double> ReferenceSpectrum(const Map& f, State p, int n, int steps)
{
    constexpr int TRANSIENT = 1000;
    constexpr double H = 1e-6;
    for (int i = 0; i < TRANSIENT; ++i)
        p = f(p);
    double v[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}; // columns are the tangent vectors
    std::vector<double> logs(static_cast<std::size_t>(n), 0.0);
    for (int s = 0; s < steps; ++s) {
        double j[3][3] = {};
        for (int c = 0; c < n; ++c) {
            State up = p, down = p;
            up[c] += H;
            down[c] -= H;
            const State fu = f(up), fd = f(down);
            for (int r = 0; r < n; ++r)
                j[r][c] = (r == 2 ? std::remainder(fu[r] - fd[r], TWO_PI) : fu[r] - fd[r]) / (2 * H);
        }
        p = f(p);
        double w[3][3] = {};
        for (int r = 0; r < n; ++r)
            for (int c = 0; c < n; ++c)
                for (int k = 0; k < n; ++k)
                    w[r][c] += j[r][k] * v[k][c];
        for (int c = 0; c < n; ++c) {
            for (int b = 0; b < c; ++b) {
                double dot = 0;
                for (int r = 0; r < n; ++r)
                    dot += w[r][b] * w[r][c];
                for (int r = 0; r < n; ++r)
                    w[r][c] -= dot * w[r][b];
            }
            double length = 0;
            for (int r = 0; r < n; ++r)
                length += w[r][c] * w[r][c];
            length = std::sqrt(length);
            logs[static_cast<std::size_t>(c)] += std::log(length);
            for (int r = 0; r < n; ++r)
                v[r][c] = w[r][c] /= length;
        }
    }
    for (double& l : logs)
        l /= steps * std::numbers::ln2;
    std::sort(logs.rbegin(), logs.rend());
    return logs;
}

SpectrumResult Measured(const std::string& code, int steps)
{
    const AttractorRef a = Attractor::CreateFromCode(code, AttractorDefaults{});
    SpectrumSettings s;
    s.steps = steps;
    return MeasureSpectrum(OrbitSystem::Of(*a), s);
}

constexpr int STEPS = 1000000;
constexpr const char* OSCILLATOR_CODE = "^TVHSDMLVL";
constexpr State START{0.05, 0.05, 0.05};

TEST(SpecialMaps, TheReferenceGivesTheHenonMapsPublishedExponents)
{
    const Map henon = [](const State& p) { return State{1.0 - 1.4 * p[0] * p[0] + 0.3 * p[1], p[0], 0.0}; };
    const std::vector<double> e = ReferenceSpectrum(henon, START, 2, STEPS);
    EXPECT_NEAR(e[0] * std::numbers::ln2, 0.41922, 0.002);
    EXPECT_NEAR(e[1] * std::numbers::ln2, -1.62319, 0.002);
}

// Within a few error bars of the reference; a float orbit's cycle ('\\' below: 0.2210 against
// 0.2224) misses by tens of them.
void ExpectSpectrum(const std::string& code, const Map& map, int n)
{
    const SpectrumResult r = Measured(code, STEPS);
    ASSERT_EQ(r.status, SpectrumStatus::Measured) << code;
    const std::vector<double> reference = ReferenceSpectrum(map, START, n, STEPS);
    ASSERT_EQ(r.exponents.size(), reference.size()) << code;
    for (std::size_t k = 0; k < reference.size(); ++k)
        EXPECT_NEAR(r.exponents[k], reference[k], 5 * r.errors[k] + 0.0005) << code << " exponent " << k;
}

TEST(SpecialMaps, SineMapIsMeasuredOnItsDoubleOrbit)
{
    const std::string code = "\\OBPLJGBWWGJEYGNKCH";
    const std::vector<double> a = CoefficientsOf(code);
    ExpectSpectrum(
        code,
        [&](const State& p) {
            const double x = p[0], y = p[1];
            return State{a[1] + a[2] * x + a[3] * y + a[4] * std::sin(a[5] * x + a[6]) +
                             a[7] * std::sin(a[8] * y + a[9]),
                         a[10] + a[11] * x + a[12] * y + a[13] * std::sin(a[14] * x + a[15]) +
                             a[16] * std::sin(a[17] * y + a[18]),
                         0.0};
        },
        2);
}

TEST(SpecialMaps, ForcedOscillatorKeepsThePhasesZeroExponent)
{
    const std::string code = OSCILLATOR_CODE;
    const std::vector<double> a = CoefficientsOf(code);
    const Map map = [&](const State& p) {
        const double x = p[0], y = p[1], z = p[2];
        double phase = z + 0.1 * (a[9] + 1.3);
        if (phase > TWO_PI)
            phase -= TWO_PI;
        return State{x + 0.1 * a[1] * y,
                     y + 0.1 * (a[2] * x + a[3] * x * x * x + a[4] * x * x * y + a[5] * x * y * y + a[6] * y +
                                a[7] * y * y * y + a[8] * std::sin(z)),
                     phase};
    };
    ExpectSpectrum(code, map, 3);
    const SpectrumResult r = Measured(code, 100000);
    ASSERT_EQ(r.exponents.size(), 3u);
    EXPECT_EQ(r.exponents[1], 0.0);
    EXPECT_GT(r.kaplanYorke, 2.0);
}

// Case Z's Jacobian is its linear part wherever it exists, so its exponents are the logs of the
// moduli of that matrix's eigenvalues.
TEST(SpecialMaps, BitwiseMapHasTheSpectrumOfItsLinearPart)
{
    const std::string code = "ZKWQEAFAWSNFUQU";
    const std::vector<double> a = CoefficientsOf(code);
    const double trace = a[2] + a[10], det = a[2] * a[10] - a[3] * a[9];
    const std::complex<double> root = std::sqrt(std::complex<double>(trace * trace / 4 - det));
    std::vector<double> reference = {std::log2(std::abs(trace / 2 + root)),
                                     std::log2(std::abs(trace / 2 - root))};
    std::sort(reference.rbegin(), reference.rend());
    const SpectrumResult r = Measured(code, 100000);
    ASSERT_EQ(r.status, SpectrumStatus::Measured);
    ASSERT_EQ(r.exponents.size(), 2u);
    EXPECT_NEAR(r.exponents[0], reference[0], 1e-3);
    EXPECT_NEAR(r.exponents[1], reference[1], 1e-3);
    EXPECT_NEAR(reference[0], 0.2812, 1e-3); // and the shadow orbit's l of the engine
}

// The area-preserving map: a point turned by theta after a shear, on a regular orbit here.
TEST(SpecialMaps, AreaPreservingMapsRegularOrbitMeasuresNoGrowth)
{
    const std::string code = "]GOTBAE";
    const std::vector<double> a = CoefficientsOf(code);
    const Map map = [&](const State& p) {
        const double theta = TWO_PI / (10.0 * a[6] + 13.0);
        const double u = p[0] + a[2] * std::sin(a[3] * p[1] + a[4]);
        return State{10.0 * a[1] + u * std::cos(theta) + p[1] * std::sin(theta),
                     10.0 * a[5] - u * std::sin(theta) + p[1] * std::cos(theta), 0.0};
    };
    const double reference = ReferenceSpectrum(map, START, 2, 100000)[0];
    EXPECT_NEAR(reference, 0.0, 0.001);

    WorkerServices services;
    PointBuffer buffer;
    AttractorRef current;
    RandomGenerator random(1);
    ComputeContext context{buffer, current, random, services, services};
    for (int points : {1000, 100000, 1000000}) {
        const AttractorRef attractor = Attractor::CreateFromCode(code, AttractorDefaults{});
        attractor->pointsCount = points;
        ASSERT_TRUE(ComputePoints(context, attractor, true, false, nullptr));
        // Unmended, the shadow orbit fell onto the main one and l stayed 0.505 at every count.
        EXPECT_NEAR(attractor->lyapunov, reference, 0.006) << points;
    }
    // A search does not take it for chaos.
    const AttractorRef searched = Attractor::CreateFromCode(code, AttractorDefaults{});
    EXPECT_FALSE(ComputePoints(context, searched, false, true, nullptr));
}

} // namespace
