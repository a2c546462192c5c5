#include "RunZephyra.h"
#include "Version.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

using namespace zephyra::cli;

namespace {

TEST(CommandLine, HelpAndVersionAtEveryLevel)
{
    for (const char* help : {"-h", "--help"}) {
        const Result top = RunZephyra({help});
        EXPECT_EQ(top.code, EXIT_OK);
        EXPECT_NE(top.out.find("exit codes:"), std::string::npos) << top.out;
        EXPECT_NE(top.out.find("130"), std::string::npos);
        for (const Subcommand& c : Subcommands()) {
            const std::string name(c.name);
            const Result r = RunZephyra({name, help});
            EXPECT_EQ(r.code, EXIT_OK) << name;
            EXPECT_EQ(r.out, RunZephyra({"help", name}).out) << name;
            EXPECT_NE(r.out.find("-q, --quiet"), std::string::npos) << r.out;
            EXPECT_TRUE(r.err.empty()) << r.err;
        }
    }
    // Every declared option is in its command's help.
    for (const Subcommand& c : Subcommands()) {
        const std::string text = RunZephyra({std::string(c.name), "--help"}).out;
        for (const CommandOption& o : c.options)
            EXPECT_TRUE(o.IsHeading() || text.find("--" + std::string(o.Name())) != std::string::npos)
                << c.name << " " << o.names;
    }
    const Result version = RunZephyra({"--version"});
    EXPECT_EQ(version.code, EXIT_OK);
    EXPECT_EQ(version.out, "zephyra " + std::string(zephyra::VERSION) + "\n");
}

TEST(CommandLine, ValuesAfterEqualsShortOptionsAndTheDoubleDash)
{
    const std::string henon = "EWM?MPMMWMMMM";
    const Result spaced = RunZephyra({"compute", henon, "--points", "700", "--start", "-0.1,0.2,0,0"});
    ASSERT_EQ(spaced.code, EXIT_OK) << spaced.err;
    EXPECT_NE(spaced.out.find(" 700 points"), std::string::npos);
    EXPECT_NE(spaced.out.find(" x0 = -0.10 y0 = 0.20"), std::string::npos) << spaced.out;
    EXPECT_EQ(RunZephyra({"compute", "--points=700", "--start=-0.1,0.2,0,0", henon}).out.substr(0, 40),
              spaced.out.substr(0, 40));
    // After "--" a word that looks like an option is an argument: here a code the engine refuses.
    EXPECT_EQ(RunZephyra({"compute", "--points", "700", "--", henon}).code, EXIT_OK);
    const Result dashed = RunZephyra({"compute", "--", "-x"});
    EXPECT_EQ(dashed.code, EXIT_FAILED) << dashed.err;
    EXPECT_NE(dashed.err.find("Wrong attractor configuration!"), std::string::npos) << dashed.err;

    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("zephyra-cli-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "h.png").string();
    for (const std::vector<std::string>& output : std::vector<std::vector<std::string>>{
             {"-o", path}, {"-o" + path}, {"--output=" + path}, {"--output", path}}) {
        std::filesystem::remove(path);
        std::vector<std::string> line{"render", henon, "--size=40x30"};
        line.insert(line.end(), output.begin(), output.end());
        const Result r = RunZephyra(line);
        EXPECT_EQ(r.code, EXIT_OK) << r.err;
        EXPECT_TRUE(std::filesystem::exists(path)) << output[0];
        EXPECT_TRUE(r.out.empty()) << "the note goes to stderr: " << r.out;
        EXPECT_EQ(r.err.rfind("Wrote " + path, 0), 0u) << r.err;
    }
    // -q drops the note, before or after the command.
    EXPECT_EQ(RunZephyra({"render", henon, "-q", "-o", path, "--size", "40x30"}).err, "");
    EXPECT_EQ(RunZephyra({"--quiet", "render", henon, "-o", path, "--size", "40x30"}).err, "");
    std::filesystem::remove_all(folder);
}

TEST(CommandLine, EveryUsageErrorIsOneLineAndTheUsage)
{
    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"compute", "EWM?MPMMWMMMM", "--frobnicate"},
                                               {"compute", "EWM?MPMMWMMMM", "--points"},
                                               {"compute", "EWM?MPMMWMMMM", "--points="},
                                               {"search", "E", "--count", "x"},
                                               {"render", "EWM?MPMMWMMMM", "-o"},
                                               {"points", "--json", "EWM?MPMMWMMMM"}}) {
        const Result r = RunZephyra(bad);
        EXPECT_EQ(r.code, EXIT_USAGE) << testing::PrintToString(bad);
        const auto lines = Lines(r.err);
        ASSERT_EQ(lines.size(), 2u) << r.err;
        EXPECT_EQ(lines[0].rfind("zephyra " + bad[0] + ": ", 0), 0u) << r.err;
        EXPECT_EQ(lines[1].rfind("usage: zephyra " + bad[0], 0), 0u) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_EQ(RunZephyra({"--frobnicate"}).code, EXIT_USAGE);
    EXPECT_EQ(RunZephyra({"compute", "--version"}).code, EXIT_USAGE);
}

// Unmended, each of these named something else than what was wrong, or took a flag's value for yes.
TEST(CommandLine, UsageErrorsNameWhatIsWrong)
{
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"compute", "EWM?MPMMWMMMM", "--points=abc"},
         "zephyra compute: --points: 'abc' is not a whole number"},
        {{"compute", "EWM?MPMMWMMMM", "--points=0"},
         "zephyra compute: --points: Value 0 not in range 1 to 2147483647"},
        {{"--points", "100", "compute", "EWM?MPMMWMMMM"},
         "zephyra: option --points goes after the command it belongs to"},
        {{"compute", "EWM?MPMMWMMMM", "--json=false"}, "zephyra compute: option --json takes no value"},
        {{"search", "a"}, "zephyra search: LETTER is one case letter, 'E' to '^': 'a'"},
    };
    for (const auto& [arguments, message] : cases) {
        const Result r = RunZephyra(arguments);
        EXPECT_EQ(r.code, EXIT_USAGE) << message;
        EXPECT_EQ(Lines(r.err).at(0), message);
        EXPECT_EQ(r.out, "");
    }
    // A code the program refuses keeps the document's words, after the command and the code.
    const Result refused = RunZephyra({"compute", "ZZZ"});
    EXPECT_EQ(refused.code, EXIT_FAILED);
    EXPECT_EQ(refused.err, "zephyra compute: 'ZZZ': Attractor: Wrong attractor configuration!\n");
}

} // namespace
