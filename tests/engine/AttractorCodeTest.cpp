#include "Attractor.h"
#include "ExactCoefficientsText.h"
#include "RandomGenerator.h"
#include "StatusTexts.h"

#include <gtest/gtest.h>

#include <map>

using namespace zephyra;

namespace {

const AttractorDefaults defaults;

struct CaseRow {
    char letter;
    int kind, dimension, order, count;
};

TEST(CaseTable, EveryRowFollowsFromItsLetter)
{
    const CaseRow rows[] = {
        {'E', 0, 2, 2, 12}, {'F', 0, 2, 3, 20},  {'G', 0, 2, 4, 30},  {'H', 0, 2, 5, 42},
        {'I', 0, 3, 2, 30}, {'J', 0, 3, 3, 60},  {'K', 0, 3, 4, 105}, {'L', 0, 3, 5, 168},
        {'M', 0, 4, 2, 60}, {'N', 0, 4, 3, 140}, {'O', 0, 4, 4, 280}, {'P', 0, 4, 5, 504},
        {'Q', 1, 3, 2, 30}, {'R', 1, 3, 3, 60},  {'S', 1, 3, 4, 105}, {'T', 1, 3, 5, 168},
        {'U', 1, 4, 2, 60}, {'V', 1, 4, 3, 140}, {'W', 1, 4, 4, 280}, {'X', 1, 4, 5, 504},
        {'Y', 2, 4, 2, 10}, {'Z', 3, 4, 2, 14},  {'[', 4, 4, 2, 14},  {'\\', 5, 4, 2, 18},
        {']', 6, 4, 2, 6},  {'^', 7, 4, 2, 9},
    };
    for (const CaseRow& r : rows) {
        SCOPED_TRACE(r.letter);
        const auto c = DescribeCase(r.letter);
        ASSERT_TRUE(c);
        EXPECT_EQ(c->kind, r.kind);
        EXPECT_EQ(c->dimension, r.dimension);
        EXPECT_EQ(c->order, r.order);
        EXPECT_EQ(c->coefficientsCount, r.count);
        EXPECT_EQ(c->CodeLength(), r.count + 1);
    }
    EXPECT_FALSE(DescribeCase('D'));
    EXPECT_FALSE(DescribeCase('_'));
    EXPECT_FALSE(DescribeCase('\0'));
    EXPECT_FALSE(DescribeCase('\xE5'));
}

TEST(AttractorCode, HenonCodeDecodes)
{
    const AttractorRef a = Attractor::CreateFromCode("EWM?MPMMWMMMM", defaults);
    ASSERT_TRUE(a->valid);
    EXPECT_EQ(a->dimension, 2);
    EXPECT_EQ(a->order, 2);
    EXPECT_EQ(a->kind, KIND_MAP);
    EXPECT_EQ(a->codeLength, 13);
    const float expected[] = {0, 1.0f, 0, -1.4f, 0, 0.3f, 0, 0, 1.0f, 0, 0, 0, 0};
    ASSERT_EQ(a->coefficients.size(), 13u);
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(a->coefficients[i], expected[i]) << i;
    EXPECT_EQ(a->position, 1);
    EXPECT_EQ(a->pointsCount, 50000);
    EXPECT_EQ(a->refCount, 1); // the handle returned
}

TEST(AttractorCode, RefusedCodes)
{
    for (const char* text : {"EWM?MPMMWMMM", "EWM?MPMMWMMMMM", "DWM?MPMMWMMMM", "_WM?MPMMWMMMM", ""}) {
        const AttractorRef a = Attractor::CreateFromCode(text, defaults);
        EXPECT_FALSE(a->valid) << text;
        EXPECT_TRUE(a->code.empty()) << text;
    }
}

TEST(AttractorCode, LengthsOfTheShortestAndLongestCases)
{
    EXPECT_TRUE(Attractor::CreateFromCode("^MMMMMMMMM", defaults)->valid);
    EXPECT_TRUE(Attractor::CreateFromCode("P" + std::string(504, 'M'), defaults)->valid);
    EXPECT_FALSE(Attractor::CreateFromCode("P" + std::string(503, 'M'), defaults)->valid);
}

TEST(AttractorCode, DisplayComesFromTheDefaultsOfItsDimension)
{
    AttractorDefaults d;
    d.defaults2D.x0 = 0.2f;
    d.defaults3D.x0 = 0.3f;
    d.defaults4D.x0 = 0.4f;
    d.defaultPointsCount = 1234;
    EXPECT_EQ(Attractor::CreateFromCode("EWM?MPMMWMMMM", d)->display.x0, 0.2f);
    EXPECT_EQ(Attractor::CreateFromCode("Q" + std::string(30, 'M'), d)->display.x0, 0.3f);
    EXPECT_EQ(Attractor::CreateFromCode("^MMMMMMMMM", d)->display.x0, 0.4f);
    EXPECT_EQ(Attractor::CreateFromCode("^MMMMMMMMM", d)->pointsCount, 1234);
    RandomGenerator random(7);
    EXPECT_EQ(Attractor::CreateRandom('Y', d, random)->display.x0, 0.4f);
    EXPECT_EQ(Attractor::CreateRandom('I', d, random)->display.x0, 0.3f);
}

TEST(RandomCodes, NeverZAndNearlyUniform)
{
    RandomGenerator random(12345);
    std::map<char, int> counts;
    int total = 0;
    for (int n = 0; n < 200; ++n) {
        const AttractorRef a = Attractor::CreateRandom('P', defaults, random);
        ASSERT_TRUE(a->valid);
        ASSERT_EQ(a->code.size(), 505u);
        EXPECT_EQ(a->code[0], 'P');
        for (int i = 1; i < 505; ++i) {
            ++counts[a->code[i]];
            ++total;
            ASSERT_EQ(a->coefficients[i], CoefficientValue(a->code[i]));
        }
    }
    EXPECT_EQ(counts.size(), 25u);
    EXPECT_EQ(counts.begin()->first, 'A');
    EXPECT_EQ(counts.rbegin()->first, 'Y');
    for (const auto& [ch, n] : counts)
        EXPECT_NEAR(n, total / 25.0, total / 25.0 * 0.06) << ch;
}

TEST(RandomCodes, UnknownLetterIsRefused)
{
    RandomGenerator random(1);
    const AttractorRef a = Attractor::CreateRandom('D', defaults, random);
    EXPECT_FALSE(a->valid);
    EXPECT_TRUE(a->code.empty());
}

AttractorRef WithCoefficients(const char* first3)
{
    std::string code = "E" + std::string(first3) + std::string(9, 'M');
    AttractorRef a = Attractor::CreateFromCode(code, defaults);
    a->position = 3;
    return a;
}

TEST(Odometer, ForwardCarries)
{
    AttractorRef a = WithCoefficients("AZZ");
    a->StepForward();
    EXPECT_EQ(a->code, "EBAA" + std::string(9, 'M'));
    EXPECT_EQ(a->coefficients[1], -1.2f + 0.1f);
    EXPECT_EQ(a->coefficients[2], -1.2f);
    EXPECT_EQ(a->coefficients[3], -1.2f);
    EXPECT_EQ(a->position, 3);

    AttractorRef b = WithCoefficients("ZZZ");
    b->StepForward();
    EXPECT_EQ(b->code, "EAAA" + std::string(9, 'M'));
}

TEST(Odometer, BackBorrows)
{
    AttractorRef a = WithCoefficients("BAA");
    a->StepBack();
    EXPECT_EQ(a->code, "EAZZ" + std::string(9, 'M'));
    EXPECT_EQ(a->coefficients[1], CoefficientValue('B') - 0.1f);
    EXPECT_EQ(a->coefficients[2], 1.3f);
    EXPECT_EQ(a->coefficients[3], 1.3f);

    AttractorRef b = WithCoefficients("AAA");
    b->StepBack();
    EXPECT_EQ(b->code, "EZZZ" + std::string(9, 'M'));
}

TEST(Odometer, CoefficientIsUpdatedByAdditionNotDecoding)
{
    AttractorRef a = WithCoefficients("AAA");
    float value = a->coefficients[3];
    for (int n = 0; n < 20; ++n) {
        a->StepForward();
        value += 0.1f;
    }
    EXPECT_EQ(a->code[3], 'U');
    EXPECT_EQ(a->coefficients[3], value);
}

TEST(Odometer, CharacterBelowAStepsWithoutCarry)
{
    AttractorRef a = Attractor::CreateFromCode("EWM?MPMMWMMMM", defaults);
    a->position = 3; // '?'
    a->StepForward();
    EXPECT_EQ(a->code, "EWM@MPMMWMMMM");
}

TEST(Position, WrapsOverTheCoefficients)
{
    AttractorRef a = Attractor::CreateFromCode("EWM?MPMMWMMMM", defaults);
    a->PreviousPosition();
    EXPECT_EQ(a->position, 12);
    a->NextPosition();
    EXPECT_EQ(a->position, 1);
    a->NextPosition();
    EXPECT_EQ(a->position, 2);
}

TEST(Clone, CopiesWhatTheUserSeesButNotTheMeasurements)
{
    AttractorRef a = Attractor::CreateFromCode("EWM?MPMMWMMMM", defaults);
    a->yaw = 30;
    a->pitch = 12;
    a->zoom = 4;
    a->position = 5;
    a->pointsCount = 777;
    a->display.coordZ = 3;
    a->lyapunov = 0.5f;
    a->thumbnail[17] = 3;
    const AttractorRef c = a->Clone(defaults);
    EXPECT_NE(c.get(), a.get());
    EXPECT_EQ(c->code, a->code);
    EXPECT_EQ(c->yaw, 30);
    EXPECT_EQ(c->pitch, 12);
    EXPECT_EQ(c->zoom, 4);
    EXPECT_EQ(c->position, 5);
    EXPECT_EQ(c->pointsCount, 777);
    EXPECT_EQ(c->display, a->display);
    EXPECT_EQ(c->thumbnail, a->thumbnail);
    EXPECT_EQ(c->lyapunov, 0.0f);
}

TEST(ExactCoefficients, CodeHoldsTheNearestCharactersAndOrbitsTheValues)
{
    AttractorRef a = Attractor::CreateFromCode("EWM?MPMMWMMMM", defaults);
    std::vector<double> values = a->CoefficientValues();
    values[3] = -1.37;  // nearest '?' (-1.4)
    values[5] = 0.3125; // nearest 'P' (0.3), unchanged character
    values[6] = 2.04;   // nearest 'a' (2.0)
    values[7] = -9.0;   // below every printable character: '!' (-4.4)
    values[8] = 7.0;    // above: '~' (4.9)
    a->SetExactCoefficients(values);
    EXPECT_EQ(a->code, "EWM?MPa!~MMMM");
    EXPECT_EQ(a->coefficients[6], CoefficientValue('a'));
    EXPECT_EQ(a->coefficients[7], CoefficientValue('!'));
    EXPECT_EQ(a->CoefficientOf(3), -1.37);
    EXPECT_EQ(a->CoefficientOf(5), 0.3125);
    EXPECT_EQ(a->CoefficientOf(1), static_cast<double>(CoefficientValue('W')));
    EXPECT_EQ(a->exactCoefficients.size(), a->coefficients.size());

    // Nearest by the characters' single-precision values: 0.05 lies a hair nearer 'M' than 'N'
    // (0.1f is above 0.1), though 0.05 x 10 rounds to 1.
    values = Attractor::CreateFromCode("EMMMMMMMMMMMM", defaults)->CoefficientValues();
    values[1] = 0.05;
    values[2] = -0.05;
    values[3] = -0.14;
    a->SetExactCoefficients(values);
    EXPECT_EQ(a->code.substr(0, 4), "EMML");

    // A call of the wrong size changes nothing.
    const std::string before = a->code;
    a->SetExactCoefficients(std::vector<double>(5, 1.0));
    EXPECT_EQ(a->code, before);
    EXPECT_FALSE(a->exactCoefficients.empty());
}

TEST(ExactCoefficients, ValuesOnTheLettersLeaveAPlainCode)
{
    // A character outside the printable range whose value is met exactly stays.
    AttractorRef a = Attractor::CreateFromCode("EWM?MPMMWM MM", defaults);
    ASSERT_TRUE(a->valid);
    std::vector<double> values = a->CoefficientValues();
    values[2] = 0.1; // 0.1 in double is not the letter 'N''s single-precision value
    a->SetExactCoefficients(values);
    EXPECT_EQ(a->code, "EWN?MPMMWM MM");
    EXPECT_FALSE(a->exactCoefficients.empty());

    a->SetExactCoefficients(Attractor::CreateFromCode("EWM?MPMMWM MM", defaults)->CoefficientValues());
    EXPECT_EQ(a->code, "EWM?MPMMWM MM");
    EXPECT_TRUE(a->exactCoefficients.empty());
    EXPECT_EQ(a->coefficients[2], 0.0f);
}

TEST(ExactCoefficients, CloneKeepsThemAndEveryChangeOfTheCodeDropsThem)
{
    const auto between = [] {
        AttractorRef a = Attractor::CreateFromCode("EWM?MPMMWMMMM", defaults);
        std::vector<double> values = a->CoefficientValues();
        values[3] = -1.37;
        a->SetExactCoefficients(values);
        a->position = 3;
        return a;
    };
    AttractorRef a = between();
    const AttractorRef c = a->Clone(defaults);
    EXPECT_EQ(c->code, a->code);
    EXPECT_EQ(c->exactCoefficients, a->exactCoefficients);

    a->StepForward();
    EXPECT_TRUE(a->exactCoefficients.empty());
    EXPECT_EQ(a->CoefficientOf(3), static_cast<double>(CoefficientValue('@')));
    a = between();
    a->StepBack();
    EXPECT_TRUE(a->exactCoefficients.empty());
    a = between();
    ASSERT_TRUE(a->SetCode("EWM?MPMMWMMMM", defaults));
    EXPECT_TRUE(a->exactCoefficients.empty());
    a = between();
    RandomGenerator random(1);
    ASSERT_TRUE(a->Randomize('E', defaults, random));
    EXPECT_TRUE(a->exactCoefficients.empty());
}

TEST(ExactCoefficientsText, ReadsBackEveryDoubleAndRefusesWhatIsNoList)
{
    AttractorRef a = Attractor::CreateFromCode("EWM?MPMMWMMMM", defaults);
    EXPECT_EQ(ExactCoefficientsText(*a), "");
    std::vector<double> values = a->CoefficientValues();
    values[3] = -1.37;
    values[12] = 0.1 + 0.2; // 0.30000000000000004
    a->SetExactCoefficients(values);
    const std::string text = ExactCoefficientsText(*a);
    EXPECT_EQ(text, "3:-1.37 12:0.30000000000000004");

    AttractorRef b = Attractor::CreateFromCode(a->code, defaults);
    ASSERT_TRUE(ReadExactCoefficientsText(text, *b));
    EXPECT_EQ(b->code, a->code);
    EXPECT_EQ(b->exactCoefficients, a->exactCoefficients);
    for (const char* bad : {"13:1", "0:1", "3:x", "3:1 3:2", "3:nan", "3:1x", "3", ":1", "3:-inf"}) {
        EXPECT_FALSE(ReadExactCoefficientsText(bad, *b)) << bad;
        EXPECT_EQ(b->exactCoefficients, a->exactCoefficients) << bad;
    }
    ASSERT_TRUE(ReadExactCoefficientsText("", *b));
    EXPECT_TRUE(b->exactCoefficients.empty());
    EXPECT_EQ(b->code, a->code);
}

TEST(AttractorRefCount, HandlesShareOneRecord)
{
    AttractorRef a = Attractor::CreateFromCode("EWM?MPMMWMMMM", defaults);
    {
        AttractorRef b = a;
        EXPECT_EQ(a->refCount, 2);
        AttractorRef c = std::move(b);
        EXPECT_EQ(a->refCount, 2);
    }
    EXPECT_EQ(a->refCount, 1);
}

TEST(StatusTexts, FormatLikePrintf)
{
    AttractorRef a = Attractor::CreateFromCode("EWM?MPMMWMMMM", defaults);
    a->lyapunov = 0.6125f;
    a->fractalDim = 1.2f;
    EXPECT_EQ(CaseText(*a), "Case E (D:2 O:2 M:12)");
    EXPECT_EQ(CaseText(*Attractor::CreateFromCode("^MMMMMMMMM", defaults)), "Case ^ (D:4 M:9)");
    std::vector<double> values = a->CoefficientValues();
    values[3] = -1.37;
    values[5] = 0.3125;
    a->SetExactCoefficients(values);
    EXPECT_EQ(CaseText(*a), "Case E (D:2 O:2 M:12)  exact 3:-1.37 5:0.3125");
    EXPECT_EQ(PointsText(50000), " 50000 points");
    EXPECT_EQ(MeasuresText(*a), " l = 0.613  f = 1.200");
    EXPECT_EQ(StartPointText(*a), " x0 = 0.05 y0 = 0.05 z0 = 0.05 w0 = 0.05");
    EXPECT_EQ(ComputingText(10.0), "Computing 10% press ESC to cancel");
    EXPECT_EQ(PositionText(3), "Position: 3");
}

} // namespace
