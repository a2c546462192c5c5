#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

// The program with its standard output on /dev/full, or closed: its exit status and stderr.
struct Ended {
    int status = -1;
    std::string err;
};

Ended RunWithStdout(const std::vector<std::string>& arguments, bool closed)
{
    std::vector<char*> argv{const_cast<char*>(ZEPHYRA_PROGRAM)};
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    int pipe[2];
    EXPECT_EQ(::pipe(pipe), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (closed)
        posix_spawn_file_actions_addclose(&actions, STDOUT_FILENO);
    else
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/full", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipe[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipe[0]);
    pid_t child = -1;
    EXPECT_EQ(posix_spawn(&child, ZEPHYRA_PROGRAM, &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(pipe[1]);
    Ended ended;
    char buffer[256];
    for (ssize_t n; (n = read(pipe[0], buffer, sizeof buffer)) > 0;)
        ended.err.append(buffer, static_cast<std::size_t>(n));
    close(pipe[0]);
    waitpid(child, &ended.status, 0);
    return ended;
}

TEST(WriteError, OutputThatCannotBeWrittenIsAFailureSaidOnce)
{
    const std::vector<std::vector<std::string>> commands = {
        {"points", "EWM?MPMMWMMMM", "--points", "100000"},
        {"compute", "EWM?MPMMWMMMM", "--points", "1000"},
        {"--help"},
        {"--version"},
    };
    for (const auto& command : commands) {
        const Ended full = RunWithStdout(command, false);
        ASSERT_TRUE(WIFEXITED(full.status)) << command[0];
        EXPECT_EQ(WEXITSTATUS(full.status), 1) << command[0] << ": " << full.err;
        EXPECT_EQ(full.err, "zephyra: write error: No space left on device\n") << command[0];
    }
    const Ended closed = RunWithStdout({"compute", "EWM?MPMMWMMMM", "--points", "1000"}, true);
    EXPECT_EQ(WEXITSTATUS(closed.status), 1) << closed.err;
    EXPECT_EQ(closed.err, "zephyra: write error: Bad file descriptor\n");
}

TEST(WriteError, AClosedOutputThatNothingWasWrittenToIsNoError)
{
    const std::filesystem::path picture =
        std::filesystem::temp_directory_path() / ("zephyra-write-error-" + std::to_string(getpid()) + ".png");
    const Ended ended = RunWithStdout({"render", "EWM?MPMMWMMMM", "-q", "-o", picture.string()}, true);
    EXPECT_EQ(WEXITSTATUS(ended.status), 0) << ended.err;
    EXPECT_EQ(ended.err, "");
    std::filesystem::remove(picture);
}

} // namespace
