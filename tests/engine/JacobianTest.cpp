#include "Jacobian.h"
#include "AttractorCase.h"
#include "Iterate.h"
#include "RandomGenerator.h"

#include <gtest/gtest.h>

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

// Every polynomial case, map and ODE: the analytic Jacobian against central differences of the
// reference evaluation (for an ODE, of the Euler step x + 0.1 f(x)).
TEST(Jacobian, PolynomialCasesMatchDifferencesOfAnIndependentEvaluation)
{
    RandomGenerator random(7);
    for (char letter = 'E'; letter <= 'X'; ++letter) {
        const AttractorCase c = *DescribeCase(letter);
        const TangentSystem tangent = SelectTangentSystem(c.kind, c.dimension, c.order);
        ASSERT_EQ(tangent.dimension, c.dimension) << letter;
        const std::vector<float> a = RandomCoefficients(c.coefficientsCount, random);
        const Point at{0.31f, -0.42f, 0.27f, -0.16f};
        TangentMatrix j;
        tangent.jacobian(a.data(), at, j);
        const double h = 1e-6;
        for (int u = 0; u < c.dimension; ++u) {
            std::vector<double> plus(at.begin(), at.begin() + c.dimension), minus = plus;
            plus[static_cast<std::size_t>(u)] += h;
            minus[static_cast<std::size_t>(u)] -= h;
            const auto fp = Field(a, c.dimension, c.order, plus), fm = Field(a, c.dimension, c.order, minus);
            for (int k = 0; k < c.dimension; ++k) {
                double expected =
                    (fp[static_cast<std::size_t>(k)] - fm[static_cast<std::size_t>(k)]) / (2 * h);
                if (c.kind == KIND_ODE)
                    expected = (k == u ? 1.0 : 0.0) + ODE_STEP * expected;
                EXPECT_NEAR(j[k][u], expected, 1e-6 * (1.0 + std::fabs(expected)))
                    << letter << " d out" << k << " / d x" << u;
            }
        }
    }
}

// The smooth special maps against differences of their own (single-precision) steps.
TEST(Jacobian, SpecialMapsMatchDifferencesOfTheirSteps)
{
    const char* codes[] = {"YBQHKSEPOJT", "[NUBLQYQGSJMITE", "\\MJOOSPKOUJIQHMLNFI", "]QJQKYU", "^YJDRQCBWT"};
    for (const char* code : codes) {
        const AttractorCase c = *DescribeCase(code[0]);
        std::vector<float> a(static_cast<std::size_t>(c.coefficientsCount) + 1, 0.0f);
        for (int i = 1; i <= c.coefficientsCount; ++i)
            a[static_cast<std::size_t>(i)] = (code[i] - 77) * 0.1f;
        const TangentSystem tangent = SelectTangentSystem(c.kind, c.dimension, c.order);
        ASSERT_EQ(tangent.dimension, 2) << code;
        const StepFunction step = SelectStep(c.kind, c.dimension, c.order);
        const Point at{0.37f, -0.61f, 1.1f, 0.0f};
        TangentMatrix j;
        tangent.jacobian(a.data(), at, j);
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

TEST(Jacobian, CaseZHasNone)
{
    const AttractorCase z = *DescribeCase('Z');
    EXPECT_EQ(SelectTangentSystem(z.kind, z.dimension, z.order).jacobian, nullptr);
}

} // namespace
