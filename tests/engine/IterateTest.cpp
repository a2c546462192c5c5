#include "Iterate.h"
#include "Attractor.h"
#include "RandomGenerator.h"
#include "SpecialSteps.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace zephyra;

namespace {

const AttractorDefaults defaults;
const Point start{0.05f, 0.05f, 0.05f, 0.05f};

Point Step(const Attractor& a, const Point& in, int i = 0)
{
    Point out{-7, -7, -7, -7};
    Iterate(a, in, out, i);
    return out;
}

TEST(IterateMap, HenonFirstStep)
{
    const AttractorRef a = Attractor::CreateFromCode("EWM?MPMMWMMMM", defaults);
    const Point p = Step(*a, start);
    EXPECT_FLOAT_EQ(p[0], 1.0115f); // 1 - 1.4 x 0.05^2 + 0.3 x 0.05
    EXPECT_EQ(p[1], 0.05f);
    EXPECT_EQ(p[2], 0.0f);
    EXPECT_EQ(p[3], 0.0f);
}

TEST(IterateMap, ConstantOnlyMapsEverythingToOne)
{
    const AttractorRef a = Attractor::CreateFromCode("EWMMMMMMMMMMM", defaults);
    for (const Point& in : {start, Point{3, -2, 9, 1}})
        EXPECT_EQ(Step(*a, in), (Point{1, 0, 0, 0}));
}

// Sets coefficient `index` (1-based) to 1.0 and all others to 0, so the output is that one monomial.
AttractorRef SingleTerm(char letter, int index)
{
    const int length = DescribeCase(letter)->CodeLength();
    std::string code(length, 'M');
    code[0] = letter;
    code[index] = 'W';
    return Attractor::CreateFromCode(code, defaults);
}

struct MonomialCase {
    char letter;
    std::vector<std::vector<int>> terms; // coordinate indices of each term of one equation
};

TEST(IterateMap, MonomialOrderOfEveryEquation)
{
    // x=2, y=3, z=5, w=7 make every monomial a distinct product.
    const Point in{2, 3, 5, 7};
    const MonomialCase cases[] = {
        {'E', {{}, {0}, {0, 0}, {0, 1}, {1}, {1, 1}}},
        {'F', {{}, {0}, {0, 0}, {0, 0, 0}, {0, 0, 1}, {0, 1}, {0, 1, 1}, {1}, {1, 1}, {1, 1, 1}}},
        {'I', {{}, {0}, {0, 0}, {0, 1}, {0, 2}, {1}, {1, 1}, {1, 2}, {2}, {2, 2}}},
        {'M',
         {{},
          {0},
          {0, 0},
          {0, 1},
          {0, 2},
          {0, 3},
          {1},
          {1, 1},
          {1, 2},
          {1, 3},
          {2},
          {2, 2},
          {2, 3},
          {3},
          {3, 3}}},
    };
    for (const MonomialCase& c : cases) {
        const auto info = DescribeCase(c.letter);
        const int terms = static_cast<int>(c.terms.size());
        ASSERT_EQ(info->coefficientsCount, terms * info->dimension);
        for (int eq = 0; eq < info->dimension; ++eq) {
            for (int j = 0; j < terms; ++j) {
                SCOPED_TRACE(testing::Message() << c.letter << " equation " << eq << " term " << j);
                const AttractorRef a = SingleTerm(c.letter, 1 + eq * terms + j);
                float expected = 1;
                for (int v : c.terms[j])
                    expected *= in[v];
                const Point out = Step(*a, in);
                for (int k = 0; k < 4; ++k)
                    EXPECT_EQ(out[k], k == eq ? expected : 0.0f) << "coordinate " << k;
            }
        }
    }
}

TEST(IterateMap, HigherOrdersHaveTheirTermCount)
{
    // The last coefficient of equation 1 multiplies x_D^O; check it for every order and dimension.
    const Point in{2, 3, 5, 7};
    for (char letter : {'G', 'H', 'J', 'K', 'L', 'N', 'O', 'P'}) {
        const auto c = DescribeCase(letter);
        const int terms = c->coefficientsCount / c->dimension;
        const AttractorRef a = SingleTerm(letter, terms);
        const Point out = Step(*a, in);
        EXPECT_EQ(out[0], std::pow(in[c->dimension - 1], c->order)) << letter;
    }
}

TEST(IterateOde, ZeroCoefficientsKeepThePoint)
{
    const Point in{0.5f, -0.25f, 0.125f, 2.0f};
    for (char letter : {'Q', 'R', 'S', 'T', 'U', 'V', 'W', 'X'}) {
        const auto c = DescribeCase(letter);
        const AttractorRef a =
            Attractor::CreateFromCode(letter + std::string(c->coefficientsCount, 'M'), defaults);
        const Point out = Step(*a, in);
        EXPECT_EQ(out[0], in[0]) << letter;
        EXPECT_EQ(out[1], in[1]) << letter;
        EXPECT_EQ(out[2], in[2]) << letter;
        EXPECT_EQ(out[3], c->dimension == 4 ? in[3] : 0.0f) << letter;
    }
}

TEST(IterateOde, EulerStepUsesSinglePrecisionTenth)
{
    const AttractorRef a = SingleTerm('Q', 1); // dx/dt = 1
    const Point out = Step(*a, start);
    EXPECT_EQ(out[0], float(double(0.05f) + double(0.1f)));
    EXPECT_EQ(out[1], 0.05f);
}

TEST(IterateSpecial, DerivedCoordinatesComeFromTheInput)
{
    RandomGenerator random(3);
    const Point in{0.5f, -0.25f, 9.0f, 9.0f};
    for (char letter : {'Y', 'Z', '[', '\\', ']'}) {
        const AttractorRef a = Attractor::CreateRandom(letter, defaults, random);
        a->pointsCount = 1000;
        const Point out = Step(*a, in, 250);
        EXPECT_EQ(out[2], 0.3125f) << letter;
        EXPECT_EQ(out[3], 0.25f) << letter;
    }
}

TEST(IterateSpecial, AbsoluteValueMap)
{
    // Y: x' = a1 + a2 x + a3 y + a4 |x| + a5 |y|
    const AttractorRef a = Attractor::CreateFromCode("YWMMWMMWMMW", defaults);
    const Point out = Step(*a, Point{-0.5f, -2.0f, 0, 0});
    EXPECT_EQ(out[0], 1.5f); // 1 + |x|
    EXPECT_EQ(out[1], 1.5f); // a7 x + a10 |y|
}

TEST(IterateSpecial, BitwiseTruncatesTowardZero)
{
    EXPECT_EQ(detail::TruncateLow32(-1.2), 0); // -1.2 + 0.5 = -0.7
    EXPECT_EQ(detail::TruncateLow32(2.6), 3);
    EXPECT_EQ(detail::TruncateLow32(-2.6), -2);
    EXPECT_EQ(detail::TruncateLow32(4294967296.0 + 5.0), 5);
    EXPECT_EQ(detail::TruncateLow32(2147483648.0), static_cast<int>(0x80000000u));
    EXPECT_EQ(detail::TruncateLow32(1e300), 0);
    EXPECT_EQ(detail::TruncateLow32(-1e300), 0);
    EXPECT_EQ(detail::TruncateLow32(INFINITY), 0);
    EXPECT_EQ(detail::TruncateLow32(NAN), 0);

    // a4 = 1.0 on x = -1.2: T(-1.2) = 0, so AND gives 0 and OR gives T(a7 y) = T(0) = 0.
    std::string code = "Z" + std::string(14, 'M');
    code[4] = 'W';
    const AttractorRef a = Attractor::CreateFromCode(code, defaults);
    EXPECT_EQ(Step(*a, Point{-1.2f, 0, 0, 0})[0], 0.0f);
}

TEST(IterateSpecial, PowerOfZeroToNegativeIsInfinite)
{
    std::string code = "[" + std::string(14, 'M');
    code[4] = 'W'; // a4 = 1
    code[5] = 'C'; // a5 = -1
    const AttractorRef a = Attractor::CreateFromCode(code, defaults);
    EXPECT_TRUE(std::isinf(Step(*a, Point{0, 1, 0, 0})[0]));
}

TEST(IterateSpecial, OscillatorPhaseAdvancesAndWraps)
{
    const AttractorRef a = Attractor::CreateFromCode("^MMMMMMMMM", defaults); // a9 = 0
    a->pointsCount = 100;
    Point p{0, 0, 0, 0};
    Point out{};
    Iterate(*a, p, out, 10);
    EXPECT_FLOAT_EQ(out[2], 0.13f);
    EXPECT_EQ(out[3], 0.1f);
    p[2] = 6.2f;
    Iterate(*a, p, out, 0);
    EXPECT_NEAR(out[2], 6.33 - 6.2831855, 1e-6);
}

TEST(IterateSpecial, RotationTurnsByTheAngleOfA6)
{
    // a6 = 0: theta = 2 pi / 13; with a1..a5 = 0 the point is turned only.
    const AttractorRef a = Attractor::CreateFromCode("]MMMMMM", defaults);
    const Point out = Step(*a, Point{1, 0, 0, 0});
    const double theta = double(6.2831855f) / 13.0;
    EXPECT_FLOAT_EQ(out[0], float(std::cos(theta)));
    EXPECT_FLOAT_EQ(out[1], float(-std::sin(theta)));
}

TEST(IterateSpecial, SineMapUsesRadians)
{
    std::string code = "\\" + std::string(18, 'M');
    code[4] = 'W'; // a4 = 1
    code[5] = 'W'; // a5 = 1
    const AttractorRef a = Attractor::CreateFromCode(code, defaults);
    EXPECT_FLOAT_EQ(Step(*a, Point{1.5707964f, 0, 0, 0})[0], 1.0f);
}

// The monomials of one equation in order, evaluated one by one at run time: the reference that the
// specialised loops must match bit for bit.
void ReferenceTerms(const Attractor& a, const Point& in, int eq, int from, int degree, double product,
                    float& acc, int& term)
{
    const int terms = a.CoefficientsCount() / a.dimension;
    for (int v = from; v < a.dimension; ++v) {
        const double next = product * double(in[v]);
        acc = float(double(acc) + double(a.coefficients[1 + eq * terms + term]) * next);
        ++term;
        if (degree < a.order)
            ReferenceTerms(a, in, eq, v, degree + 1, next, acc, term);
    }
}

Point ReferenceStep(const Attractor& a, const Point& in)
{
    Point out{0, 0, 0, 0};
    const int terms = a.CoefficientsCount() / a.dimension;
    for (int eq = 0; eq < a.dimension; ++eq) {
        float acc = a.coefficients[1 + eq * terms];
        int term = 1;
        ReferenceTerms(a, in, eq, 0, 1, 1.0, acc, term);
        out[eq] = a.kind == KIND_ODE ? float(double(in[eq]) + double(0.1f) * double(acc)) : acc;
    }
    return out;
}

TEST(IterateMap, MatchesTheReferenceEvaluationBitForBit)
{
    RandomGenerator random(2024);
    for (char letter = 'E'; letter <= 'X'; ++letter) {
        for (int n = 0; n < 20; ++n) {
            const AttractorRef a = Attractor::CreateRandom(letter, defaults, random);
            Point p{0.1f, -0.2f, 0.3f, -0.4f};
            for (int i = 0; i < 5; ++i) {
                const Point expected = ReferenceStep(*a, p);
                const Point out = Step(*a, p, i);
                ASSERT_EQ(out, expected) << a->code << " step " << i;
                p = out;
                if (!std::isfinite(p[0] + p[1] + p[2] + p[3]))
                    break;
            }
        }
    }
}

TEST(IteratePair, MatchesTwoSingleSteps)
{
    RandomGenerator random(99);
    for (char letter = FIRST_CASE_LETTER; letter <= LAST_CASE_LETTER; ++letter) {
        const AttractorRef a = Attractor::CreateRandom(letter, defaults, random);
        const auto pair = SelectPairStep(a->kind, a->dimension, a->order);
        ASSERT_TRUE(pair) << letter;
        const Point p{0.1f, 0.2f, 0.3f, 0.4f}, q{-0.3f, 0.25f, 0.15f, -0.2f};
        Point p1{}, q1{}, p2{}, q2{};
        WideCoefficients wide;
        WidenCoefficients(a->coefficients.data(), a->codeLength, wide);
        pair(a->coefficients.data(), wide.data(), a->pointsCount, p, p1, q, q1, 17);
        Iterate(*a, p, p2, 17);
        Iterate(*a, q, q2, 17);
        EXPECT_EQ(p1, p2) << letter;
        EXPECT_EQ(q1, q2) << letter;
    }
}

TEST(IteratePair, FollowsTwoSingleOrbitsBitForBit)
{
    // The pair evaluates both orbits in SIMD lanes; along orbits every rounding must still agree.
    RandomGenerator random(7);
    for (char letter = 'E'; letter <= 'X'; ++letter) {
        for (int n = 0; n < 10; ++n) {
            const AttractorRef a = Attractor::CreateRandom(letter, defaults, random);
            const auto pair = SelectPairStep(a->kind, a->dimension, a->order);
            WideCoefficients wide;
            WidenCoefficients(a->coefficients.data(), a->codeLength, wide);
            Point p{0.1f, -0.2f, 0.3f, -0.4f}, q{0.1000316f, -0.2f, 0.3f, -0.4f};
            for (int i = 0; i < 8 && std::isfinite(p[0] + p[1] + p[2] + p[3] + q[0] + q[1] + q[2] + q[3]);
                 ++i) {
                Point p1{}, q1{};
                pair(a->coefficients.data(), wide.data(), a->pointsCount, p, p1, q, q1, i);
                ASSERT_EQ(p1, Step(*a, p, i)) << a->code << " step " << i;
                ASSERT_EQ(q1, Step(*a, q, i)) << a->code << " step " << i;
                p = p1;
                q = q1;
            }
        }
    }
}

TEST(IterateDimension, UnusedCoordinatesAreZero)
{
    RandomGenerator random(5);
    const Point in{0.1f, 0.2f, 0.3f, 0.4f};
    for (char letter : {'E', 'F', 'G', 'H'}) {
        const Point out = Step(*Attractor::CreateRandom(letter, defaults, random), in);
        EXPECT_EQ(out[2], 0.0f);
        EXPECT_EQ(out[3], 0.0f);
    }
    for (char letter : {'I', 'J', 'K', 'L', 'Q', 'R', 'S', 'T'})
        EXPECT_EQ(Step(*Attractor::CreateRandom(letter, defaults, random), in)[3], 0.0f) << letter;
}

} // namespace
