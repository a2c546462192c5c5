#include "RunZephyra.h"

#include <gtest/gtest.h>

#include <cmath>
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

    EXPECT_EQ(map.out.find("\"flowDivergence\":"), std::string::npos);

    // An ODE adds the flow's divergence per unit time, of which the Euler step's sum is 0.1 x to
    // the order of the step.
    const Result ode =
        RunZephyra({"measure", "QUTJRINJHVQODNYXWRRFDLFWGVFDXJF", "--points", "20000", "--json"});
    ASSERT_EQ(ode.code, 0) << ode.err;
    EXPECT_NEAR(NumberAfter(ode.out, "\"meanLogDet\":"), NumberAfter(ode.out, "\"sum\":"), 1e-6);
    const double divergence = NumberAfter(ode.out, "\"flowDivergence\":");
    EXPECT_NEAR(NumberAfter(ode.out, "\"sum\":"), 0.1 * divergence, 0.3 * std::fabs(0.1 * divergence));
}

TEST(CliMeasure, RefusalsSayWhy)
{
    EXPECT_EQ(RunZephyra({"measure", "EWM"}).code, EXIT_FAILED);
    EXPECT_EQ(RunZephyra({"measure", "EWM?MPMMWMMMM", "--transient", "x"}).code, EXIT_USAGE);
    // Fewer points than ten error blocks of 1000 steps gave "l = -inf" and "+- 0.00000".
    EXPECT_EQ(RunZephyra({"measure", "EWM?MPMMWMMMM", "--points", "9999"}).code, EXIT_USAGE);
}

// Case Z jumps, but only on lines: its spectrum is that of its linear part (see SpecialMapsTest).
TEST(CliMeasure, CaseZHasASpectrum)
{
    const Result z = RunZephyra({"measure", "ZKWQEAFAWSNFUQU", "--points", "20000", "--json"});
    ASSERT_EQ(z.code, 0) << z.err;
    EXPECT_NEAR(NumberAfter(z.out, "\"spectrum\":["), 0.2812, 0.001);
}

TEST(CliCompute, AnEscapingOrbitFails)
{
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"compute", "EZZZZZZZZZZZZ"},
          std::vector<std::string>{"compute", "EWM?MPMMWMMMM", "--start", "1e30,0,0,0", "--json"},
          std::vector<std::string>{"points", "EZZZZZZZZZZZZ"}}) {
        const Result r = RunZephyra(command);
        EXPECT_EQ(r.code, EXIT_FAILED) << command[1];
        EXPECT_EQ(r.out, "") << command[1];
        EXPECT_NE(r.err.find("leaves every bound"), std::string::npos) << r.err;
    }
}

} // namespace
