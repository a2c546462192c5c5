#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The program on a terminal of its own, as a person starts it: its output until `wanted` shows,
// then Ctrl+C typed, then how it ended.
struct Interrupted {
    std::string output;
    int status = 0;
};

// Whether the process has a handler of its own for SIGINT (the SigCgt mask of its status), or has
// ended, when waiting on longer would be in vain.
bool CatchesInterruptOrEnded(pid_t process)
{
    std::ifstream status("/proc/" + std::to_string(process) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("State:", 0) == 0 && line.find('Z') != std::string::npos)
            return true;
        if (line.rfind("SigCgt:", 0) == 0)
            return (std::stoull(line.substr(7), nullptr, 16) & (1ull << (SIGINT - 1))) != 0;
    }
    return true;
}

// `wanted` empty: Ctrl+C as soon as the program listens for it, for commands that show nothing
// while they work.
Interrupted TypeCtrlCWhenShown(const std::vector<std::string>& arguments, const std::string& wanted)
{
    std::vector<char*> argv{const_cast<char*>(ZEPHYRA_PROGRAM)};
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    int terminal = -1;
    const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child == 0) {
        execv(ZEPHYRA_PROGRAM, argv.data());
        _exit(127);
    }
    Interrupted result;
    bool typed = false;
    if (wanted.empty()) {
        while (!CatchesInterruptOrEnded(child))
            std::this_thread::yield();
        const char ctrlC = 3;
        EXPECT_EQ(write(terminal, &ctrlC, 1), 1);
        typed = true;
    }
    char buffer[256];
    for (ssize_t n; (n = read(terminal, buffer, sizeof buffer)) > 0;) {
        result.output.append(buffer, static_cast<std::size_t>(n));
        if (!typed && result.output.find(wanted) != std::string::npos) {
            const char ctrlC = 3;
            EXPECT_EQ(write(terminal, &ctrlC, 1), 1);
            typed = true;
        }
    }
    close(terminal);
    waitpid(child, &result.status, 0);
    return result;
}

// A render, a map and a diagram: each draws its bar and stops at Ctrl+C, writing nothing.
TEST(Interrupt, CtrlCEndsALongPictureWith130AndNoFile)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("zephyra-interrupt-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "big.png").string();
    const std::vector<std::string> commands[] = {
        {"render", "EWM?MPMMWMMMM", "--density", "--points", "100000000000"},
        {"map", "EWM?MPMMWMMMM", "--x", "3", "--y", "5", "--size", "2000x2000", "--steps", "20000"},
        {"diagram", "EWM?MPMMWMMMM", "--x", "3", "--size", "2000x100", "--points", "1000000"},
    };
    for (std::vector<std::string> arguments : commands) {
        arguments.insert(arguments.end(), {"-o", path});
        const Interrupted r = TypeCtrlCWhenShown(arguments, "] ");
        ASSERT_TRUE(WIFEXITED(r.status)) << "ended by a signal, not by the program: " << r.output;
        EXPECT_EQ(WEXITSTATUS(r.status), 130) << r.output;
        EXPECT_NE(r.output.find("Canceled"), std::string::npos) << r.output;
        EXPECT_FALSE(std::filesystem::exists(path));
    }
    std::filesystem::remove_all(folder);
}

TEST(Interrupt, CtrlCEndsASearchWith130)
{
    const Interrupted r =
        TypeCtrlCWhenShown({"search", "E", "--count", "100000", "--points", "2000"}, "found,");
    ASSERT_TRUE(WIFEXITED(r.status)) << r.output;
    EXPECT_EQ(WEXITSTATUS(r.status), 130) << r.output;
    EXPECT_NE(r.output.find("Canceled"), std::string::npos) << r.output;
}

TEST(Interrupt, CtrlCEndsAComputationWith130)
{
    // Case P with every coefficient 0: a bounded orbit of slow steps.
    for (const std::string command : {"compute", "points"}) {
        const Interrupted r =
            TypeCtrlCWhenShown({command, "P" + std::string(504, 'M'), "--points", "5000000"}, "");
        ASSERT_TRUE(WIFEXITED(r.status)) << command << ": " << r.output;
        EXPECT_EQ(WEXITSTATUS(r.status), 130) << command << ": " << r.output;
        EXPECT_NE(r.output.find("Canceled"), std::string::npos) << r.output;
    }
}

TEST(Interrupt, CtrlCEndsAMeasurementWith130AndNoFigures)
{
    // Case P with every coefficient 0 stays at the origin: a bounded orbit whose spectrum takes seconds.
    const Interrupted r =
        TypeCtrlCWhenShown({"measure", "P" + std::string(504, 'M'), "--points", "2000000"}, "] ");
    ASSERT_TRUE(WIFEXITED(r.status)) << r.output;
    EXPECT_EQ(WEXITSTATUS(r.status), 130) << r.output;
    EXPECT_EQ(r.output.find("Lyapunov spectrum"), std::string::npos) << r.output;
    EXPECT_EQ(r.output.find("Case P"), std::string::npos) << r.output;
}

} // namespace
