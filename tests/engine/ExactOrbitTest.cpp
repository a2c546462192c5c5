#include "Attractor.h"
#include "Iterate.h"
#include "LyapunovExponents.h"
#include "OrbitRun.h"
#include "RandomGenerator.h"
#include "WorkerServices.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace zephyra;

namespace {

const AttractorDefaults defaults;
constexpr int STEPS = 2000;

// Hénon's code with its x^2 and y coefficients between the letters (nearest '?' and 'P').
AttractorRef Between()
{
    AttractorRef a = Attractor::CreateFromCode("EWM?MPMMWMMMM", defaults);
    std::vector<double> values = a->CoefficientValues();
    values[3] = -1.37;
    values[5] = 0.3125;
    a->SetExactCoefficients(values);
    a->pointsCount = STEPS;
    return a;
}

// Case E written out: x' and y' each 1, x, x^2, xy, y, y^2, summed in that order into a float
// through double products, as the engine's steps are specified.
std::vector<Point> StraightOrbit(const std::vector<float>& a, Point p)
{
    std::vector<Point> orbit;
    for (int i = 0; i < STEPS; ++i) {
        const double x = p[0], y = p[1];
        const double terms[5] = {x, x * x, x * y, y, y * y};
        Point next{};
        for (int eq = 0; eq < 2; ++eq) {
            float acc = a[1 + 6 * eq];
            for (int t = 0; t < 5; ++t)
                acc = static_cast<float>(static_cast<double>(acc) +
                                         static_cast<double>(a[2 + 6 * eq + t]) * terms[t]);
            next[eq] = acc;
        }
        orbit.push_back(p = next);
    }
    return orbit;
}

std::vector<Point> EngineOrbit(Attractor& a)
{
    PointBuffer buffer;
    buffer.points = std::make_unique<Point[]>(STEPS);
    AttractorRef current;
    RandomGenerator random(1);
    WorkerServices quiet;
    ComputeContext context{buffer, current, random, quiet, quiet};
    OrbitRun run(context, a, SelectPairStep(a.kind, a.dimension, a.order));
    EXPECT_EQ(run.Run(false), OrbitRun::Outcome::Finished);
    return {buffer.points.get(), buffer.points.get() + STEPS};
}

TEST(ExactCoefficientsOrbit, TheExactEngineRunsTheValuesRoundedToFloatOnce)
{
    AttractorRef a = Between();
    const Point start{0.05f, 0.05f, 0.05f, 0.05f};
    std::vector<float> rounded(a->coefficients.begin(), a->coefficients.end());
    rounded[3] = static_cast<float>(-1.37);
    rounded[5] = 0.3125f;
    const std::vector<Point> expected = StraightOrbit(rounded, start);

    EXPECT_EQ(EngineOrbit(*a), expected);
    // The single steps of `points --raw` too.
    Point p = start;
    for (int i = 0; i < STEPS; ++i) {
        Point next{};
        Iterate(*a, p, next, i);
        ASSERT_EQ(next, expected[static_cast<std::size_t>(i)]) << "step " << i;
        p = next;
    }
    // The spectrum's orbit and the search's measures see the same coefficients.
    EXPECT_EQ(OrbitSystem::Of(*a).coefficients, rounded);

    AttractorRef nearest = Attractor::CreateFromCode(a->code, defaults);
    nearest->pointsCount = STEPS;
    EXPECT_NE(EngineOrbit(*nearest), expected);
    EXPECT_EQ(EngineOrbit(*nearest), StraightOrbit(nearest->coefficients, start));
}

} // namespace
