#include "RunZephyra.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace zephyra::cli;

namespace {

TEST(CliCompute, PrintsTheFourPanesAndDone)
{
    const Result r = RunZephyra({"compute", "EWM?MPMMWMMMM", "--seed", "1"});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "Case E (D:2 O:2 M:12)");
    EXPECT_EQ(lines[1], " 50000 points");
    EXPECT_EQ(lines[2].substr(0, 9), " l = 0.60"); // 0.60x
    EXPECT_EQ(lines[3], " x0 = 0.05 y0 = 0.05 z0 = 0.05 w0 = 0.05");
    EXPECT_EQ(lines[4], "Done");
}

TEST(CliCompute, OptionsReachTheAttractor)
{
    const Result r =
        RunZephyra({"compute", "EWM?MPMMWMMMM", "--points", "7000", "--start", "0.1,-0.2,0,0.5"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find(" 7000 points"), std::string::npos);
    EXPECT_NE(r.out.find(" x0 = 0.10 y0 = -0.20 z0 = 0.00 w0 = 0.50"), std::string::npos);
}

TEST(CliCompute, JsonObject)
{
    const Result r = RunZephyra({"compute", "EWM?MPMMWMMMM", "--points", "1000", "--json"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"code\":\"EWM?MPMMWMMMM\",\"case\":\"E\",\"dimension\":2,\"order\":2,"
                          "\"coefficients\":[1,0,-1.4,0,0.3,0,0,1,0,0,0,0],\"points\":1000,\"lyapunov\":",
                          0),
              0u)
        << r.out;
    EXPECT_NE(r.out.find("\"fractalDim\":0,\"tries\":1,\"seconds\":"), std::string::npos) << r.out;
    EXPECT_EQ(Lines(r.out).size(), 1u);
}

TEST(CliCompute, JsonEscapesTheBackslashCase)
{
    const Result r = RunZephyra({"compute", "\\MMMMMMMMMMMMMMMMMM", "--points", "200", "--json"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"code\":\"\\\\MMMM", 0), 0u) << r.out;
}

TEST(CliSearch, FindsRepeatableAttractorsOfTheCase)
{
    const Result first = RunZephyra({"search", "H", "--count", "3", "--seed", "1", "--points", "10000"});
    ASSERT_EQ(first.code, 0) << first.err;
    const auto lines = Lines(first.out);
    ASSERT_EQ(lines.size(), 15u);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(lines[5 * k].size(), 43u);
        EXPECT_EQ(lines[5 * k][0], 'H');
        EXPECT_EQ(lines[5 * k + 1], "Case H (D:2 O:5 M:42)");
        EXPECT_EQ(lines[5 * k + 2], " 10000 points");
    }
    EXPECT_EQ(
        RunZephyra({"search", "H", "--count", "3", "--seed", "1", "--points", "10000", "--jobs", "1"}).out,
        first.out);
    EXPECT_EQ(
        RunZephyra({"search", "H", "--count", "3", "--seed", "1", "--points", "10000", "--jobs", "3"}).out,
        first.out);
    EXPECT_NE(RunZephyra({"search", "H", "--count", "3", "--seed", "2", "--points", "10000"}).out, first.out);
}

TEST(CliSearch, JsonNumbersTheTry)
{
    const Result r = RunZephyra({"search", "E", "--seed", "4", "--json"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("\"case\":\"E\""), std::string::npos);
    EXPECT_EQ(r.out.find("\"try\":0}"), std::string::npos) << "random E codes are rarely chaotic";
}

TEST(CliPoints, NormalisedAndRawCsv)
{
    const Result r = RunZephyra({"points", "EWM?MPMMWMMMM", "--points", "300"});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 301u);
    EXPECT_EQ(lines[0], "x,y,z,w");
    for (std::size_t i = 101; i < lines.size(); ++i) {
        const float x = std::stof(lines[i]);
        // Single-precision scaling may land an ulp outside.
        ASSERT_GE(x, -1.000001f) << lines[i];
        ASSERT_LE(x, 1.000001f) << lines[i];
        ASSERT_EQ(lines[i].substr(lines[i].size() - 4), ",0,0");
    }

    const Result raw = RunZephyra({"points", "EWM?MPMMWMMMM", "--points", "3", "--raw"});
    ASSERT_EQ(raw.code, 0) << raw.err;
    const auto rawLines = Lines(raw.out);
    ASSERT_EQ(rawLines.size(), 4u);
    EXPECT_EQ(rawLines[1], "1.0115,0.0500000007,0,0"); // %.9g of the floats
}

TEST(CliCoefficients, ValuesBetweenTheLettersRunTheOrbit)
{
    const Result r = RunZephyra({"compute", "EWM?MPMMWMMMM", "--points", "1000", "--coef", "3=-1.2", "--coef",
                                 "5=0.3125", "--coef", "3=-1.37", "--json"});
    ASSERT_EQ(r.code, 0) << r.err;
    // The code keeps the nearest letters; the coefficients are the values the orbit ran, the last
    // one given for a place.
    EXPECT_EQ(r.out.rfind("{\"code\":\"EWM?MPMMWMMMM\",\"case\":\"E\",\"dimension\":2,\"order\":2,"
                          "\"coefficients\":[1,0,-1.37,0,0.3125,0,0,1,0,0,0,0],",
                          0),
              0u)
        << r.out;
    const Result text = RunZephyra({"compute", "EWM?MPMMWMMMM", "--points", "1000", "--coef", "5=0.3125"});
    ASSERT_EQ(text.code, 0) << text.err;
    EXPECT_EQ(Lines(text.out)[0], "Case E (D:2 O:2 M:12)  exact 5:0.3125");

    const auto raw = [](std::vector<std::string> more) {
        std::vector<std::string> line = {"points", "EWM?MPMMWMMMM", "--points", "50", "--raw"};
        line.insert(line.end(), more.begin(), more.end());
        return RunZephyra(line).out;
    };
    EXPECT_NE(raw({"--coef", "3=-1.37"}), raw({}));
    EXPECT_EQ(raw({"--coef", "3=-1.4"}), raw({})) << "-1.4 rounds to the letter's float";

    const Result measured =
        RunZephyra({"measure", "EWM?MPMMWMMMM", "--points", "10000", "--coef", "3=-1.37", "--json"});
    ASSERT_EQ(measured.code, 0) << measured.err;
    EXPECT_NE(measured.out.find("-1.37"), std::string::npos) << measured.out;
}

TEST(CliErrors, BadInputExitsNonZeroWithAMessage)
{
    Result r = RunZephyra({"compute", "EWM?MPMMWMMM"});
    EXPECT_EQ(r.code, EXIT_FAILED);
    EXPECT_NE(r.err.find("Wrong attractor configuration!"), std::string::npos);
    EXPECT_TRUE(r.out.empty());

    r = RunZephyra({"search", "D"});
    EXPECT_EQ(r.code, EXIT_USAGE);
    EXPECT_NE(r.err.find("LETTER is one case letter, 'E' to '^': 'D'"), std::string::npos) << r.err;

    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"compute", "EWM?MPMMWMMMM", "--points", "12x"},
                                               {"compute", "EWM?MPMMWMMMM", "--points", "-4"},
                                               {"compute", "EWM?MPMMWMMMM", "--points"},
                                               {"compute", "EWM?MPMMWMMMM", "--start", "1,2,3"},
                                               {"compute", "EWM?MPMMWMMMM", "--start", "1,2,3,nan"},
                                               {"compute", "EWM?MPMMWMMMM", "--frobnicate"},
                                               {"compute"},
                                               {"compute", "A", "B"},
                                               {"search", "HH"},
                                               {"search", "H", "--seed", "-1"},
                                               {"points", "EWM?MPMMWMMMM", "--json"},
                                               {"compute", "EWM?MPMMWMMMM", "--coef", "13=1"},
                                               {"compute", "EWM?MPMMWMMMM", "--coef", "0=1"},
                                               {"compute", "EWM?MPMMWMMMM", "--coef", "3=x"},
                                               {"compute", "EWM?MPMMWMMMM", "--coef", "3"},
                                               {"compute", "EWM?MPMMWMMMM", "--coef", "3=nan"},
                                               {"render", "EWM?MPMMWMMMM", "--coef", "3:1", "-o", "x.png"},
                                               {"nonsense"},
                                               {}}) {
        r = RunZephyra(bad);
        EXPECT_EQ(r.code, EXIT_USAGE) << testing::PrintToString(bad);
        EXPECT_FALSE(r.err.empty()) << testing::PrintToString(bad);
    }
}

TEST(CliHelp, KnownCommandsExitZero)
{
    for (const Subcommand& c : Subcommands()) {
        const Result r = RunZephyra({"help", std::string(c.name)});
        EXPECT_EQ(r.code, 0) << c.name;
        EXPECT_EQ(r.out.rfind("usage: zephyra " + std::string(c.name), 0), 0u) << r.out;
    }
    EXPECT_EQ(RunZephyra({"help", "no-such-command"}).code, EXIT_USAGE);
    const Result all = RunZephyra({"help"});
    EXPECT_EQ(all.code, 0);
    EXPECT_NE(all.out.find("zephyra search LETTER"), std::string::npos);
}

// Unmended, lines of up to 105 columns wrapped on an 80-column terminal.
TEST(CliHelp, FitsEightyColumns)
{
    std::vector<std::string> texts{RunZephyra({"help"}).out};
    for (const Subcommand& c : Subcommands())
        texts.push_back(RunZephyra({"help", std::string(c.name)}).out);
    for (const std::string& text : texts)
        for (const std::string& line : Lines(text))
            EXPECT_LE(line.size(), 80u) << line;
}

} // namespace
