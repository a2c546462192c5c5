#include "LyapunovExponents.h"
#include "Attractor.h"
#include "CorrelationFit.h"
#include "Iterate.h"
#include "Jacobian.h"
#include "KaplanYorke.h"
#include "PointGeneration.h"
#include "WorkerServices.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <set>
#include <string>

using namespace zephyra;

namespace {

const AttractorDefaults defaults;
constexpr double BITS_PER_NAT = 1.0 / std::numbers::ln2;

OrbitSystem SystemOf(const std::string& code)
{
    const AttractorRef a = Attractor::CreateFromCode(code, defaults);
    return OrbitSystem::Of(*a);
}

SpectrumSettings Steps(int steps)
{
    SpectrumSettings s;
    s.steps = steps;
    return s;
}

// A search as the window makes it: the first random code of the case that passes the chaos tests,
// measured with `points` points (its l is the attractor's lyapunov).
AttractorRef ChaoticAttractor(char letter, std::uint64_t seed, int points)
{
    WorkerServices services;
    PointBuffer buffer;
    AttractorRef current;
    RandomGenerator random(seed);
    ComputeContext context{buffer, current, random, services, services};
    AttractorDefaults sized = defaults;
    sized.defaultPointsCount = points;
    const AttractorRef a = Attractor::CreateRandom(letter, sized, random);
    bool proceed = true;
    do {
        a->Randomize(letter, sized, random);
    } while (!ComputePoints(context, a, false, true, &proceed));
    return a;
}

TEST(LyapunovSpectrum, HenonMatchesThePublishedValues)
{
    const SpectrumResult r = MeasureSpectrum(SystemOf("EWM?MPMMWMMMM"), Steps(1000000));
    ASSERT_EQ(r.status, SpectrumStatus::Measured);
    ASSERT_EQ(r.exponents.size(), 2u);
    EXPECT_FALSE(r.ode);
    // The published values lie within 3 of the error bars shown, and within 0.003 nats. A float
    // orbit falls onto a cycle of the float grid after some 27 000 steps and misses by 4 of them.
    const double published[] = {0.41922, -1.62319};
    for (std::size_t k = 0; k < 2; ++k) {
        const double nats = r.exponents[k] / BITS_PER_NAT;
        EXPECT_GT(r.errors[k], 0.0);
        EXPECT_NEAR(nats, published[k], 0.003) << k;
        EXPECT_NEAR(nats, published[k], 3 * r.errors[k] / BITS_PER_NAT) << k;
    }
    EXPECT_NEAR(r.kaplanYorke, 1.2583, 0.005);
    // ln |det J| is ln 0.3 at every point (0.3 as the code's single-precision coefficient).
    EXPECT_NEAR(r.meanLogDet, std::log(double(0.3f)) * BITS_PER_NAT, 1e-9);
    // The running estimates end on the result.
    ASSERT_FALSE(r.history.empty());
    EXPECT_EQ(r.historySteps.back(), 1000000);
    EXPECT_DOUBLE_EQ(r.history.back()[0], r.exponents[0]);
}

// For a map the exponents add up to the orbit mean of ln |det J| (the volume's growth), on every
// kind of map: polynomial maps of each dimension and the smooth special maps.
TEST(LyapunovSpectrum, MapSumEqualsTheMeanLogDeterminant)
{
    std::uint64_t seed = 11;
    for (char letter : std::string("EFIJMN") + "Y[\\]^") {
        // Searched over as many points as the measurement steps, so that the orbit stays bounded.
        const AttractorRef a = ChaoticAttractor(letter, ++seed, 101000);
        const SpectrumResult r = MeasureSpectrum(OrbitSystem::Of(*a), Steps(100000));
        if (r.status == SpectrumStatus::Diverged)
            continue; // the float orbit was held by a cycle of a chaotic transient; the double one escapes
        ASSERT_EQ(r.status, SpectrumStatus::Measured) << a->code;
        EXPECT_NEAR(r.sum, r.meanLogDet, 1e-6 * std::fabs(r.meanLogDet) + 1e-9) << a->code;
        EXPECT_GE(r.exponents.front(), r.exponents.back());
    }
}

// An ODE's orbit has the flow direction, along which nothing grows: one exponent is zero. The sum is
// exactly the mean ln det(I + 0.1 J) of the Euler step, and 0.1 x the flow's divergence (trace J per
// unit time) only to the order of the step: the squared terms of 0.1 J make up a tenth to a quarter.
TEST(LyapunovSpectrum, OdeHasAZeroExponentAndSumsToTheDivergence)
{
    std::uint64_t seed = 40;
    for (char letter : std::string("QRU")) {
        const AttractorRef a = ChaoticAttractor(letter, ++seed, 1001000);
        const SpectrumResult r = MeasureSpectrum(OrbitSystem::Of(*a), Steps(1000000));
        ASSERT_EQ(r.status, SpectrumStatus::Measured) << a->code;
        EXPECT_TRUE(r.ode);
        double nearest = 1e9;
        for (double e : r.exponents)
            nearest = std::min(nearest, std::fabs(e));
        EXPECT_LT(nearest, 0.01) << a->code;
        EXPECT_LE(PositiveExponents(r), 1) << a->code; // the zero exponent never counts as positive
        EXPECT_NEAR(r.sum, r.meanLogDet, 1e-6 * std::fabs(r.meanLogDet) + 1e-9) << a->code;
        EXPECT_NEAR(r.sum, r.flowDivergence * ODE_STEP, 0.3 * std::fabs(r.flowDivergence * ODE_STEP))
            << a->code;
    }
}

// Whether the single-precision orbit of the point computation comes back to a point it has visited
// within `steps` steps: from there on it runs round a cycle of the float grid.
bool FloatOrbitCycles(const OrbitSystem& system, int steps)
{
    const StepFunction step = SelectStep(system.kind, system.dimension, system.order);
    std::set<Point> seen;
    Point p = system.start;
    for (int i = 0; i < steps; ++i) {
        if (!seen.insert(p).second)
            return true;
        Point next;
        step(system.coefficients.data(), system.pointsCount, p, next, i);
        p = next;
    }
    return false;
}

// The same quantity measured two ways: the shadow-orbit exponent l of the point computation and the
// largest exponent of the spectrum, over the same steps. Only clearly chaotic codes: where the
// largest exponent is near zero (cycles and tori that pass the search) the shadow orbit's finite,
// single-precision separation reads its rounding noise as growth. Only codes whose float orbit
// does not cycle within the run: l then measures the cycle, the spectrum's double orbit the
// attractor. Where the double orbit escapes, the float one was held by a cycle of a chaotic transient
// and there is no attractor to measure. Maps agree within the spectrum's error bar; on an ODE the
// shadow orbit, 3e-5 away, also sees a few percent of curvature.
TEST(LyapunovSpectrum, LargestExponentAgreesWithTheShadowOrbitExponent)
{
    const std::string letters = "EFGIJKMNQR";
    constexpr int POINTS = 200000;
    constexpr double CLEARLY_CHAOTIC = 0.05;
    int compared = 0;
    for (std::uint64_t seed = 100; compared < 20 && seed < 300; ++seed) {
        const char letter = letters[seed % letters.size()];
        const AttractorRef a = ChaoticAttractor(letter, seed, POINTS);
        const OrbitSystem system = OrbitSystem::Of(*a);
        SpectrumSettings s = Steps(POINTS);
        s.transient = 0;
        const SpectrumResult r = MeasureSpectrum(system, s);
        if (r.status == SpectrumStatus::Diverged || FloatOrbitCycles(system, POINTS))
            continue;
        ASSERT_EQ(r.status, SpectrumStatus::Measured) << a->code;
        if (r.exponents[0] < CLEARLY_CHAOTIC)
            continue;
        const double bias = r.ode ? 0.05 * r.exponents[0] : 0.0;
        EXPECT_NEAR(r.exponents[0], a->lyapunov, 3 * r.errors[0] + 0.002 + bias) << a->code;
        ++compared;
    }
    EXPECT_EQ(compared, 20);
}

// A linear field x' = -0.3 x + 0.2 y, y' = -0.2 x - 0.1 y, z' = -0.4 z: its divergence is the trace,
// -0.8 per unit time, wherever the orbit goes.
TEST(LyapunovSpectrum, FlowDivergenceIsTheTraceOfTheField)
{
    std::string code(31, 'M');
    code[0] = 'Q';
    code[1 + 1] = 'J';      // x: -0.3 x
    code[1 + 5] = 'O';      // x: 0.2 y
    code[1 + 10 + 1] = 'K'; // y: -0.2 x
    code[1 + 10 + 5] = 'L'; // y: -0.1 y
    code[1 + 20 + 8] = 'I'; // z: -0.4 z
    const SpectrumResult r = MeasureSpectrum(SystemOf(code), Steps(1000));
    ASSERT_EQ(r.status, SpectrumStatus::Measured);
    EXPECT_NEAR(r.flowDivergence, -0.8 * BITS_PER_NAT, 1e-6);
    EXPECT_NEAR(r.sum, r.meanLogDet, 1e-9);
}

TEST(LyapunovSpectrum, RefusesWhatItCannotMeasure)
{
    EXPECT_EQ(MeasureSpectrum(SystemOf("EWM"), Steps(100)).status, SpectrumStatus::Invalid);
    EXPECT_EQ(MeasureSpectrum(SystemOf("EWM?MPMMWMMMM"), Steps(0)).status, SpectrumStatus::NoSteps);
    // x' = 2 + 1.3 x^2 runs off to infinity.
    EXPECT_EQ(MeasureSpectrum(SystemOf("EaMZMMMMMMMMM"), Steps(1000)).status, SpectrumStatus::Diverged);
    int calls = 0;
    const SpectrumResult stopped =
        MeasureSpectrum(SystemOf("EWM?MPMMWMMMM"), Steps(1000000), [&](double) { return ++calls < 3; });
    EXPECT_EQ(stopped.status, SpectrumStatus::Stopped);
    EXPECT_EQ(calls, 3);
}

TEST(KaplanYorke, FromTheDefinition)
{
    EXPECT_NEAR(KaplanYorkeDimension({0.41922, -1.62319}), 1.2583, 1e-4);
    EXPECT_EQ(KaplanYorkeDimension({-0.1, -1.0}), 0.0);
    EXPECT_EQ(KaplanYorkeDimension({0.5, 0.2}), 2.0);
    EXPECT_DOUBLE_EQ(KaplanYorkeDimension({1.0, 0.0, -2.0}), 2.5);
    EXPECT_DOUBLE_EQ(KaplanYorkeDimension({0.3, 0.1, -0.2, -1.0}), 3.2);
}

// Uniform points on a segment and in a square have dimension 1 and 2; the Henon attractor about 1.2.
TEST(CorrelationFit, SlopeIsTheDimension)
{
    std::mt19937 random(3);
    std::uniform_real_distribution<float> between(0.0f, 1.0f);
    auto uniform = [&] { return between(random); };
    std::vector<Point> segment, square;
    for (int i = 0; i < 3000; ++i) {
        const float t = uniform();
        segment.push_back({t, 0.5f * t, 0.0f, 0.0f});
        square.push_back({uniform(), uniform(), 0.0f, 0.0f});
    }
    const CorrelationFit line = FitCorrelationDimension(segment, 2, 0);
    ASSERT_TRUE(line.Fitted());
    EXPECT_NEAR(line.slope, 1.0, 0.05);
    const CorrelationFit plane = FitCorrelationDimension(square, 2, 0);
    ASSERT_TRUE(plane.Fitted());
    EXPECT_NEAR(plane.slope, 2.0, 0.1);
    EXPECT_LT(plane.RadiusLow(), plane.RadiusHigh());
}

// log10 C(r) by counting every pair (but neighbours along the orbit) closer than r, straight from the
// definition, and the least-squares slope of those logs over the radii given.
double ReferenceSlope(const std::vector<Point>& sample, int coordinates, const std::vector<double>& logRadius)
{
    double extent = 0;
    for (int k = 0; k < coordinates; ++k) {
        float lo = sample[0][k], hi = lo;
        for (const Point& p : sample) {
            lo = std::min(lo, p[k]);
            hi = std::max(hi, p[k]);
        }
        extent += double(hi - lo) * (hi - lo);
    }
    std::vector<double> x, y;
    for (double lr : logRadius) {
        const double r = std::pow(10.0, lr) * std::sqrt(extent);
        double within = 0, pairs = 0;
        for (std::size_t i = 0; i < sample.size(); ++i)
            for (std::size_t j = i + 2; j < sample.size(); ++j) {
                double d = 0;
                for (int k = 0; k < coordinates; ++k)
                    d += double(sample[i][k] - sample[j][k]) * (sample[i][k] - sample[j][k]);
                within += std::sqrt(d) < r;
                pairs += 1;
            }
        x.push_back(lr);
        y.push_back(std::log10(within / pairs));
    }
    const double n = double(x.size());
    double mx = 0, my = 0;
    for (std::size_t k = 0; k < x.size(); ++k) {
        mx += x[k] / n;
        my += y[k] / n;
    }
    double sxy = 0, sxx = 0;
    for (std::size_t k = 0; k < x.size(); ++k) {
        sxy += (x[k] - mx) * (y[k] - my);
        sxx += (x[k] - mx) * (x[k] - mx);
    }
    return sxy / sxx;
}

// The Henon attractor's correlation dimension is 1.21 to 1.25 in the literature. Choosing the
// straightest window gave 1.18 +- 0.002: one wiggle of the curve, and an error bar that the choice of
// window alone exceeds ten times.
TEST(CorrelationFit, HenonDimensionWithAnErrorThatCoversTheRange)
{
    const SpectrumResult henon = MeasureSpectrum(SystemOf("EWM?MPMMWMMMM"), Steps(1000000));
    const CorrelationFit fit = FitCorrelationDimension(henon.sample, henon.sampleCoordinates, 1);
    ASSERT_TRUE(fit.Fitted());
    EXPECT_NEAR(fit.slope, 1.21, 0.02);
    EXPECT_GT(fit.slopeError, 0.01);
    EXPECT_LT(fit.slopeError, 0.08);

    // The same slope from the definition, on a thinned sample (the pair count grows as its square).
    std::vector<Point> thinned;
    for (std::size_t i = 0; i < henon.sample.size(); i += 4)
        thinned.push_back(henon.sample[i]);
    const CorrelationFit thin = FitCorrelationDimension(thinned, henon.sampleCoordinates, 1);
    ASSERT_TRUE(thin.Fitted());
    const std::vector<double> radii(thin.logRadius.begin() + thin.first,
                                    thin.logRadius.begin() + thin.last + 1);
    EXPECT_NEAR(thin.slope, ReferenceSlope(thinned, henon.sampleCoordinates, radii), 0.01);
    // ... which is right where the answer is known.
    std::vector<Point> square;
    std::mt19937 random(5);
    std::uniform_real_distribution<float> between(0.0f, 1.0f);
    for (int i = 0; i < 3000; ++i)
        square.push_back({between(random), between(random), 0.0f, 0.0f});
    EXPECT_NEAR(ReferenceSlope(square, 2, {-2.0, -1.75, -1.5, -1.25}), 2.0, 0.1);

    // Points met again (the cycle of a rounded orbit) leave the counts alone.
    std::vector<Point> repeated = thinned;
    repeated.insert(repeated.end(), thinned.begin(), thinned.begin() + 500);
    EXPECT_NEAR(FitCorrelationDimension(repeated, henon.sampleCoordinates, 1).slope, thin.slope, 0.05);
}

} // namespace
