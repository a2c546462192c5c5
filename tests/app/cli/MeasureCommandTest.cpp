#include "RunZephyra.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace zephyra::cli;

namespace {

// The number after `key` in a line of text or a JSON object.
double NumberAfter(const std::string& text, const std::string& key)
{
    const auto at = text.find(key);
    EXPECT_NE(at, std::string::npos) << key << " in " << text;
    return at == std::string::npos ? 0.0 : std::strtod(text.c_str() + at + key.size(), nullptr);
}

TEST(CliMeasure, HenonTextShowsThePanesThenTheSpectrum)
{
    const Result r = RunZephyra({"measure", "EWM?MPMMWMMMM", "--points", "200000", "--seed", "1"});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_GE(lines.size(), 11u);
    EXPECT_EQ(lines[0], "Case E (D:2 O:2 M:12)");
    EXPECT_EQ(lines[1], " 200000 points");
    EXPECT_EQ(lines[2].substr(0, 9), " l = 0.60");
    EXPECT_EQ(lines[4].rfind("Lyapunov spectrum (bits per step", 0), 0u);
    // Published: 0.41922 and -1.62319 nats, 0.6048 and -2.3418 bits.
    EXPECT_NEAR(NumberAfter(lines[5], "l1 = "), 0.6048, 0.005);
    EXPECT_NEAR(NumberAfter(lines[6], "l2 = "), -2.3418, 0.005);
    EXPECT_GT(NumberAfter(lines[5], "+- "), 0.0);
    EXPECT_NEAR(NumberAfter(r.out, "Sum of exponents"), NumberAfter(r.out, "Mean ln|det J|"), 1e-6);
    EXPECT_NEAR(NumberAfter(r.out, "Kaplan-Yorke dimension"), 1.2583, 0.003);
    EXPECT_NEAR(NumberAfter(r.out, "Correlation dimension"), 1.2, 0.05);
}

TEST(CliMeasure, JsonCarriesTheComputeKeysAndTheSpectrum)
{
    const Result map = RunZephyra({"measure", "EWM?MPMMWMMMM", "--points", "20000", "--json"});
    ASSERT_EQ(map.code, 0) << map.err;
    ASSERT_EQ(Lines(map.out).size(), 1u);
    EXPECT_EQ(map.out.rfind("{\"code\":\"EWM?MPMMWMMMM\",\"case\":\"E\"", 0), 0u);
    for (const char* key :
         {"\"lyapunov\":", "\"fractalDim\":", "\"tries\":", "\"spectrum\":[", "\"spectrumError\":[",
          "\"units\":\"bits per step\"", "\"kaplanYorke\":", "\"sum\":", "\"meanLogDet\":",
          "\"correlationDimension\":", "\"correlationRange\":["})
        EXPECT_NE(map.out.find(key), std::string::npos) << key;
    EXPECT_NEAR(NumberAfter(map.out, "\"spectrum\":["), 0.6048, 0.02);

    // An ODE reports the mean divergence instead.
    const Result ode =
        RunZephyra({"measure", "QUTJRINJHVQODNYXWRRFDLFWGVFDXJF", "--points", "20000", "--json"});
    ASSERT_EQ(ode.code, 0) << ode.err;
    EXPECT_NE(ode.out.find("\"meanDivergence\":"), std::string::npos);
    EXPECT_EQ(ode.out.find("\"meanLogDet\":"), std::string::npos);
}

TEST(CliMeasure, RefusalsSayWhy)
{
    // Case Z: l and f as always, but no spectrum.
    const Result z = RunZephyra({"measure", "ZMMMMMMMMMMMMMM", "--points", "6000"});
    EXPECT_EQ(z.code, EXIT_FAILED);
    EXPECT_EQ(z.out.rfind("Case Z", 0), 0u);
    EXPECT_EQ(z.out.find("Lyapunov spectrum"), std::string::npos);
    EXPECT_NE(z.err.find("not defined for case Z"), std::string::npos);

    EXPECT_EQ(RunZephyra({"measure", "EWM"}).code, EXIT_FAILED);
    EXPECT_EQ(RunZephyra({"measure", "EWM?MPMMWMMMM", "--transient", "x"}).code, EXIT_USAGE);
}

} // namespace
