#include "Jacobian.h"
#include "AttractorCase.h"
#include "Iterate.h"
#include "RandomGenerator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

using namespace zephyra;

namespace {

// An independent evaluation of a polynomial vector field in double: the monomials as index
// sequences in dictionary order (each before its own extensions), multiplied out one by one.
std::vector<std::vector<int>> Monomials(int d, int o)
{
    std::vector<std::vector<int>> terms{{}};
    std::function<void(std::vector<int>)> extend = [&](std::vector<int> seq) {
        if (static_cast<int>(seq.size()) == o)
            return;
        for (int v = seq.empty() ? 0 : seq.back(); v < d; ++v) {
            seq.push_back(v);
            terms.push_back(seq);
            extend(seq);
            seq.pop_back();
        }
    };
    extend({});
    return terms;
}

std::vector<double> Field(const std::vector<float>& a, int d, int o, const std::vector<double>& x)
{
    const auto terms = Monomials(d, o);
    std::vector<double> out(static_cast<std::size_t>(d), 0.0);
    for (int k = 0; k < d; ++k) {
        for (std::size_t t = 0; t < terms.size(); ++t) {
            double product = a[1 + k * terms.size() + t];
            for (int v : terms[t])
                product *= x[static_cast<std::size_t>(v)];
            out[static_cast<std::size_t>(k)] += product;
        }
    }
    return out;
}

std::vector<float> RandomCoefficients(int count, RandomGenerator& random)
{
    std::vector<float> a(static_cast<std::size_t>(count) + 1, 0.0f);
    for (int i = 1; i <= count; ++i)
        a[static_cast<std::size_t>(i)] = (random.Next() % 25 - 12) * 0.1f;
    return a;
}

// Every polynomial case, map and ODE, at a few random codes: the double step against the reference
// evaluation (for an ODE, of the Euler step x + 0.1 f(x)), the analytic Jacobian against its central
// differences, and the step against the engine's single-precision step to float rounding.
TEST(Jacobian, PolynomialCasesMatchAnIndependentEvaluation)
{
    RandomGenerator random(7);
    for (char letter = 'E'; letter <= 'X'; ++letter) {
        const AttractorCase c = *DescribeCase(letter);
        const TangentSystem tangent = SelectTangentSystem(c.kind, c.dimension, c.order);
        ASSERT_EQ(tangent.dimension, c.dimension) << letter;
        const StepFunction engineStep = SelectStep(c.kind, c.dimension, c.order);
        const auto d = static_cast<std::size_t>(c.dimension);
        const bool ode = c.kind == KIND_ODE;
        auto reference = [&](const std::vector<float>& a, std::vector<double> x) {
            const auto f = Field(a, c.dimension, c.order, x);
            for (std::size_t k = 0; k < d; ++k)
                x[k] = ode ? x[k] + ODE_STEP * f[k] : f[k];
            return x;
        };
        for (int trial = 0; trial < 3; ++trial) {
            const std::vector<float> a = RandomCoefficients(c.coefficientsCount, random);
            const WidePoint at{0.31 - 0.2 * trial, -0.42 + 0.1 * trial, 0.27, -0.16};
            WidePoint out;
            TangentMatrix j;
            tangent.step(a.data(), 0, at, out, j, 0);
            const std::vector<double> x(at.begin(), at.begin() + c.dimension);
            const auto expectedOut = reference(a, x);
            const Point narrow = Narrow(at);
            Point single;
            engineStep(a.data(), 0, narrow, single, 0);
            WidePoint fromNarrow;
            tangent.step(a.data(), 0, Widen(narrow), fromNarrow, j, 0);
            // The engine rounds its sum to float after each term, so each rounding is at most half
            // an ulp of the sum of the terms' magnitudes.
            std::vector<float> magnitudes(a.size());
            std::transform(a.begin(), a.end(), magnitudes.begin(), [](float v) { return std::fabs(v); });
            std::vector<double> xMagnitudes(d);
            std::transform(x.begin(), x.end(), xMagnitudes.begin(), [](double v) { return std::fabs(v); });
            const auto bound = Field(magnitudes, c.dimension, c.order, xMagnitudes);
            const int roundings = TermsPerEquation(c.dimension, c.order) + 1;
            for (std::size_t k = 0; k < d; ++k) {
                EXPECT_NEAR(out[k], expectedOut[k], 1e-12 * (1.0 + std::fabs(expectedOut[k]))) << letter;
                const double scale = (ode ? ODE_STEP : 1.0) * bound[k] + (ode ? xMagnitudes[k] : 0.0);
                EXPECT_NEAR(single[k], fromNarrow[k], roundings * 0x1p-24 * scale) << letter;
                EXPECT_NE(single[k], fromNarrow[k]) << letter; // not the same step by accident
            }
            for (std::size_t k = d; k < 4; ++k)
                EXPECT_EQ(out[k], 0.0) << letter;
            const double h = 1e-6;
            for (std::size_t u = 0; u < d; ++u) {
                std::vector<double> plus = x, minus = x;
                plus[u] += h;
                minus[u] -= h;
                const auto fp = reference(a, plus), fm = reference(a, minus);
                for (std::size_t k = 0; k < d; ++k) {
                    const double expected = (fp[k] - fm[k]) / (2 * h);
                    EXPECT_NEAR(j[k][u], expected, 1e-6 * (1.0 + std::fabs(expected)))
                        << letter << " d out" << k << " / d x" << u;
                }
            }
        }
    }
}

// The smooth special maps: their formulas in double (which, rounded, are the engine's steps), and
// Jacobians against differences of them.
TEST(Jacobian, SpecialMapsMatchDifferencesOfTheirSteps)
{
    const char* codes[] = {"YBQHKSEPOJT", "[NUBLQYQGSJMITE", "\\MJOOSPKOUJIQHMLNFI", "]QJQKYU", "^YJDRQCBWT"};
    for (const char* code : codes) {
        const AttractorCase c = *DescribeCase(code[0]);
        std::vector<float> a(static_cast<std::size_t>(c.coefficientsCount) + 1, 0.0f);
        for (int i = 1; i <= c.coefficientsCount; ++i)
            a[static_cast<std::size_t>(i)] = (code[i] - 77) * 0.1f;
        const TangentSystem tangent = SelectTangentSystem(c.kind, c.dimension, c.order);
        ASSERT_EQ(tangent.dimension, code[0] == '^' ? 3 : 2) << code; // '^' also moves its phase
        const StepFunction step = SelectStep(c.kind, c.dimension, c.order);
        const Point at{0.37f, -0.61f, 1.1f, 0.0f};
        TangentMatrix j;
        WidePoint out;
        tangent.step(a.data(), 1000, Widen(at), out, j, 0);
        Point single;
        step(a.data(), 1000, at, single, 0);
        EXPECT_EQ(Narrow(out), single) << code; // one rounding of the same formula
        const float h = 1e-3f;
        for (int u = 0; u < 2; ++u) {
            Point plus = at, minus = at, fp, fm;
            plus[u] += h;
            minus[u] -= h;
            step(a.data(), 1000, plus, fp, 0);
            step(a.data(), 1000, minus, fm, 0);
            for (int k = 0; k < 2; ++k) {
                const double expected = (double(fp[k]) - fm[k]) / (double(plus[u]) - minus[u]);
                EXPECT_NEAR(j[k][u], expected, 2e-3 * (1.0 + std::fabs(expected))) << code;
            }
        }
    }
}

// Between the jumps of its integer parts case Z is linear: its Jacobian is the linear part.
TEST(Jacobian, CaseZIsItsLinearPart)
{
    const AttractorCase z = *DescribeCase('Z');
    std::vector<float> a(15);
    for (std::size_t i = 1; i < a.size(); ++i)
        a[i] = 0.1f * static_cast<float>(i);
    TangentMatrix j;
    WidePoint out;
    SelectTangentSystem(z.kind, z.dimension, z.order).step(a.data(), 1000, {0.3, 0.2, 0, 0}, out, j, 0);
    EXPECT_EQ(j[0][0], a[2]);
    EXPECT_EQ(j[0][1], a[3]);
    EXPECT_EQ(j[1][0], a[9]);
    EXPECT_EQ(j[1][1], a[10]);
}

} // namespace
