#include "Variants.h"

#include "Find.h"
#include "RandomGenerator.h"
#include "SearchTries.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

using namespace zephyra;

namespace {

// The summed letter changes of a variant; -1 when more than three coefficients or one by more
// than two letters changed.
int Distance(const std::string& from, const std::string& to)
{
    int changed = 0, distance = 0;
    for (std::size_t i = 1; i < from.size(); ++i) {
        const int d = std::abs(to[i] - from[i]);
        if (d > 2)
            return -1;
        changed += d != 0;
        distance += d;
    }
    return changed <= 3 ? distance : -1;
}

TEST(Variants, OneToThreeCoefficientsNearestFirst)
{
    const std::string source = "EWM?MPMMWMMMM";
    const std::vector<std::string> codes = VariantCodes(source, 1, 100);
    ASSERT_GT(codes.size(), 300u);
    EXPECT_EQ(std::set<std::string>(codes.begin(), codes.end()).size(), codes.size()) << "no code twice";
    int previous = 1;
    for (const std::string& c : codes) {
        ASSERT_EQ(c.size(), source.size());
        EXPECT_EQ(c[0], 'E');
        const int d = Distance(source, c);
        ASSERT_GE(d, previous) << c;
        previous = d;
        for (const char ch : c)
            EXPECT_TRUE(ch >= '!' && ch <= '~') << c;
    }
    EXPECT_EQ(Distance(source, codes.front()), 1);
    EXPECT_EQ(previous, 6);
    EXPECT_EQ(VariantCodes(source, 1, 100), codes);
    EXPECT_NE(VariantCodes(source, 2, 100), codes);
}

TEST(Variants, SmallCasesRunOutOfNeighbours)
{
    // Case E has 12 coefficients: 24 codes at distance 1 and no more.
    const std::vector<std::string> codes = VariantCodes("EMMMMMMMMMMMM", 3, 1000);
    EXPECT_EQ(std::count_if(codes.begin(), codes.end(),
                            [](const std::string& c) { return Distance("EMMMMMMMMMMMM", c) == 1; }),
              24);
    EXPECT_TRUE(VariantCodes("E", 3, 10).empty());
}

// The variants of an attractor between the letters are the neighbours of its exact values: each
// moved by as much as its letter changed, the others kept.
TEST(Variants, TriesOfAnAttractorBetweenTheLettersMoveItsExactValues)
{
    const AttractorDefaults defaults;
    const AttractorRef source = Attractor::CreateFromCode("EWM?MPMMWMMMM", defaults);
    std::vector<double> values = source->CoefficientValues();
    values[3] = -1.37;
    values[5] = 0.3125;
    source->SetExactCoefficients(values);
    const std::vector<std::string> codes = VariantCodes(source->code, 4, 5);
    const FindSearch::MakeTry tries = VariantTries(*source, 4, 5, defaults);
    RandomGenerator random(1);
    for (std::uint64_t index = 0; index < codes.size(); ++index) {
        const AttractorRef record = Attractor::CreateEmpty(defaults);
        ASSERT_TRUE(tries(index, *record, random));
        const std::string& code = codes[static_cast<std::size_t>(index)];
        for (int i = 1; i <= record->CoefficientsCount(); ++i) {
            const auto at = static_cast<std::size_t>(i);
            const double moved = values[at] + (static_cast<double>(CoefficientValue(code[at])) -
                                               static_cast<double>(CoefficientValue(source->code[at])));
            EXPECT_EQ(record->CoefficientOf(i), moved) << code << " place " << i;
        }
        EXPECT_EQ(
            MakeAttractor(Find{0, record->code, record->exactCoefficients}, defaults)->exactCoefficients,
            record->exactCoefficients);
    }
    EXPECT_FALSE(tries(codes.size(), *Attractor::CreateEmpty(defaults), random));
}

} // namespace
