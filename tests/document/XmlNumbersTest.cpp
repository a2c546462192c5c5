#include "XmlNumbers.h"

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace zephyra {
namespace {

TEST(XmlNumbers, IntegersReadAsTheCLibraryDoes)
{
    const struct {
        const char* text;
        std::int32_t value;
    } cases[] = {
        {"12", 12},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"  \t\n42", 42},
        {"+7", 7},
        {"-15", -15},
        {"--3", 0},
        {"+-3", 0},
        {"- 3", 0},
        {"3.9", 3},
        {"0x10", 0},
        {"007", 7},
        {"1e5", 1},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"99999999999", 2147483647},
        {"-99999999999", -2147483647 - 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadXmlInt(c.text), c.value) << '"' << c.text << '"';
}

TEST(XmlNumbers, FloatsReadAsTheCLibraryDoes)
{
    const struct {
        const char* text;
        float value;
    } cases[] = {
        {"0.5", 0.5f},
        {"  -2.25xyz", -2.25f},
        {"+1e2", 100.0f},
        {".5", 0.5f},
        {"5.", 5.0f},
        {"1e", 1.0f},
        {"1e+", 1.0f},
        {"abc", 0.0f},
        {"", 0.0f},
        {"-", 0.0f},
        {"+-1", 0.0f},
        {"--1", 0.0f},
        {"0,5", 0.0f},
        {"1e-50", 0.0f},
        {"-1e-50", -0.0f},
        {"3.4028236e38", std::numeric_limits<float>::infinity()},
        {"-1e400", -std::numeric_limits<float>::infinity()},
        {"0.001e400", std::numeric_limits<float>::infinity()},
        {"1000e-400", 0.0f},
        {"1e-99999999999999999999", 0.0f},
        {"1e99999999999999999999", std::numeric_limits<float>::infinity()},
    };
    for (const auto& c : cases) {
        const float read = ReadXmlFloat(c.text);
        EXPECT_EQ(read, c.value) << '"' << c.text << '"';
        EXPECT_EQ(std::signbit(read), std::signbit(c.value)) << '"' << c.text << '"';
    }
    EXPECT_TRUE(std::isnan(ReadXmlFloat("nan")));
}

TEST(XmlNumbers, EveryFloatWrittenReadsBackBitForBit)
{
    std::mt19937 bits(20261208);
    const float edges[] = {0.0f,
                           -0.0f,
                           0.05f,
                           1.0f / 3.0f,
                           std::numeric_limits<float>::min(),
                           std::numeric_limits<float>::denorm_min(),
                           std::numeric_limits<float>::max(),
                           -std::numeric_limits<float>::max(),
                           std::numeric_limits<float>::infinity(),
                           -std::numeric_limits<float>::infinity()};
    for (const float value : edges)
        EXPECT_EQ(std::bit_cast<std::uint32_t>(ReadXmlFloat(XmlFloatText(value))),
                  std::bit_cast<std::uint32_t>(value))
            << XmlFloatText(value);
    for (int i = 0; i < 200000; ++i) {
        const float value = std::bit_cast<float>(static_cast<std::uint32_t>(bits()));
        if (std::isnan(value))
            continue;
        ASSERT_EQ(std::bit_cast<std::uint32_t>(ReadXmlFloat(XmlFloatText(value))),
                  std::bit_cast<std::uint32_t>(value))
            << XmlFloatText(value);
    }
}

TEST(XmlNumbers, ColoursAreWrittenWithSixDecimals)
{
    EXPECT_EQ(XmlColorText({1.0f, 1.0f, 1.0f}), "1.000000 1.000000 1.000000");
    EXPECT_EQ(XmlColorText({0.5f, 0.0f, -0.25f}), "0.500000 0.000000 -0.250000");
    // The float 0.1 is printed from its double value, as "%f" does.
    EXPECT_EQ(XmlColorText({0.1f, 0.7f, 1.0f / 255.0f}), "0.100000 0.700000 0.003922");
}

TEST(XmlNumbers, ColourScanStopsAtTheFirstComponentThatIsNoNumber)
{
    const struct {
        const char* text;
        Rgb expected;
    } cases[] = {
        {"0.5 0.25", {0.5f, 0.25f, 9.0f}},
        {"0.5 0.25 0.125", {0.5f, 0.25f, 0.125f}},
        {"  0.5\t0.25\n0.125 7", {0.5f, 0.25f, 0.125f}},
        {"0.5x 0.25", {0.5f, 9.0f, 9.0f}},
        {"0.5,0.25,0.125", {0.5f, 9.0f, 9.0f}},
        {"", {9.0f, 9.0f, 9.0f}},
        {"red", {9.0f, 9.0f, 9.0f}},
        {"1 2 3", {1.0f, 2.0f, 3.0f}},
    };
    for (const auto& c : cases) {
        Rgb color{9.0f, 9.0f, 9.0f};
        ScanXmlColor(c.text, color);
        EXPECT_EQ(color, c.expected) << '"' << c.text << '"';
    }
}

// A decimal comma in the user's locale must neither leak into the files nor break reading them.
TEST(XmlNumbers, GermanNumericLocaleChangesNothing)
{
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "de_DE.utf8"))
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    EXPECT_EQ(XmlFloatText(0.05f), "0.05");
    EXPECT_EQ(XmlColorText({0.5f, 1.0f, 0.0f}), "0.500000 1.000000 0.000000");
    EXPECT_EQ(ReadXmlFloat("0.5"), 0.5f);
    Rgb color{};
    ScanXmlColor("0.5 0.25 0.125", color);
    EXPECT_EQ(color, (Rgb{0.5f, 0.25f, 0.125f}));
    std::setlocale(LC_NUMERIC, previous.c_str());
}

} // namespace
} // namespace zephyra
