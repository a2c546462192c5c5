#include "Subcommand.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zephyra::cli;

namespace {

class ListCommandTest : public ::testing::Test {
protected:
    ListCommandTest() { std::filesystem::create_directories(folder); }
    ~ListCommandTest() override { std::filesystem::remove_all(folder); }

    int List(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), "list");
        CommandIo io{out, err};
        return RunCommandLine(arguments, io);
    }
    std::string Write(const std::string& name, const std::string& text)
    {
        const std::filesystem::path path = folder / name;
        std::ofstream(path) << text;
        return path.string();
    }

    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("zephyra-list-" + std::to_string(::getpid()));
    std::ostringstream out, err;
};

const std::string FOUR_D = "MSDHINLFSMYOGVGMNWACSGFRJPKWDBORKLHRGNROEJNJOGLLIDFAUTNNOIGYS";

TEST_F(ListCommandTest, DocumentRecordsOnePerLine)
{
    const std::string path = Write(
        "a.zpr", "<?xml version='1.0'?><zephyraSaved><attractor config='EWM?MPMMWMMMM' pointsCount='7000' "
                 "fov='45.5' yaw='-10'/><!-- note --><attractor config='E typo'/><attractor config='" +
                     FOUR_D + "' xw='30' zw='-1.5'/></zephyraSaved>");
    ASSERT_EQ(List({path}), EXIT_OK) << err.str();
    EXPECT_EQ(out.str(), "saved EWM?MPMMWMMMM points=7000 fov=45.5 zoom=2.5 yaw=-10 pitch=0 tx=0 ty=0\n"
                         "saved (refused \"E typo\") points=50000 fov=60 zoom=2.5 yaw=0 pitch=0 tx=0 ty=0\n"
                         "saved " +
                             FOUR_D +
                             " points=50000 fov=60 zoom=2.5 yaw=0 pitch=0 tx=0 ty=0 xw=30 zw=-1.5\n");
}

TEST_F(ListCommandTest, ConfigurationFileListsFavoritesThenHistory)
{
    const std::string path =
        Write("z.xml", "<zephyra><settings/><history><attractor config='EWM?MPMMWMMMM' "
                       "tx='0.25'/></history><favorites><attractor config='EWM?MPMMWMMMM' "
                       "pointsCount='1'/></favorites></zephyra>");
    ASSERT_EQ(List({"--config", path}), EXIT_OK) << err.str();
    EXPECT_EQ(out.str(), "favorites EWM?MPMMWMMMM points=1 fov=60 zoom=2.5 yaw=0 pitch=0 tx=0 ty=0\n"
                         "history EWM?MPMMWMMMM points=50000 fov=60 zoom=2.5 yaw=0 pitch=0 tx=0.25 ty=0\n");
}

TEST_F(ListCommandTest, UnreadableFileFailsWithTheMessage)
{
    EXPECT_EQ(List({(folder / "absent.zpr").string()}), EXIT_FAILED);
    EXPECT_NE(err.str().find("File not found."), std::string::npos) << err.str();
    // Unmended, a file that is there but ill-formed was "not found" too.
    const std::string broken = Write("broken.zpr", "<zephyraSaved><attractor");
    err.str("");
    EXPECT_EQ(List({broken}), EXIT_FAILED);
    EXPECT_EQ(err.str(), "zephyra list: " + broken + ": not a well-formed document or configuration file\n");
    EXPECT_EQ(List({"a", "b"}), EXIT_USAGE);
    EXPECT_TRUE(out.str().empty());
}

TEST_F(ListCommandTest, WithoutAFileTheWindowProgramsConfigurationIsListed)
{
    const std::filesystem::path beside =
        std::filesystem::read_symlink("/proc/self/exe").parent_path() / "zephyra-explorer.xml";
    std::ofstream(beside) << "<zephyra><favorites><attractor config='EWM?MPMMWMMMM'/></favorites></zephyra>";
    const int result = List({});
    std::filesystem::remove(beside);
    ASSERT_EQ(result, EXIT_OK) << err.str();
    EXPECT_EQ(out.str(), "favorites EWM?MPMMWMMMM points=50000 fov=60 zoom=2.5 yaw=0 pitch=0 tx=0 ty=0\n");
}

TEST_F(ListCommandTest, AFifoIsRefusedRatherThanWaitedOn)
{
    const std::filesystem::path fifo = folder / "pipe.zpr";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(List({fifo.string()}), EXIT_FAILED);
    EXPECT_EQ(err.str(), "zephyra list: " + fifo.string() + ": a FIFO, not a regular file\n");
}

// Unmended, a folder and a file the user may not read were "File not found." too.
TEST_F(ListCommandTest, WhatStandsInTheWayIsNamed)
{
    EXPECT_EQ(List({folder.string()}), EXIT_FAILED);
    EXPECT_EQ(err.str(), "zephyra list: " + folder.string() + ": a folder, not a regular file\n");
    if (geteuid() == 0)
        return; // root reads what it likes
    const std::string locked = Write("locked.zpr", "<zephyraSaved/>");
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    err.str("");
    EXPECT_EQ(List({locked}), EXIT_FAILED);
    EXPECT_EQ(err.str(), "zephyra list: " + locked + ": Permission denied\n");
}

// Unmended, settings alone made the file a document whose one record, the settings, was refused.
TEST_F(ListCommandTest, AConfigurationOfSettingsAloneHoldsNoRecord)
{
    const std::string path = Write("settings.xml", "<zephyra><settings pointsCount='1000'/></zephyra>");
    ASSERT_EQ(List({path}), EXIT_OK) << err.str();
    EXPECT_EQ(out.str(), "");
}

// Unmended, a document larger than the memory left ended the program on an uncaught bad_alloc.
TEST_F(ListCommandTest, ADocumentLargerThanTheMemoryLeftIsOneMessage)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer reserves more address space than the limit leaves";
#endif
    std::string text = "<zephyraSaved>";
    for (int i = 0; i < 400000; ++i)
        text += "<attractor config=\"EWM?MPMMWMMMM\" pointsCount=\"50000\"/>";
    text += "</zephyraSaved>";
    const std::string path = Write("large.zpr", text);
    text.clear();
    text.shrink_to_fit();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Room for what the program holds now and a little more, not for the document's records.
        std::ifstream status("/proc/self/status");
        std::string key;
        std::uint64_t kib = 0;
        while (status >> key && key != "VmSize:")
            status.ignore(256, '\n');
        status >> kib;
        const rlimit limit{(kib + 16 * 1024) * 1024, (kib + 16 * 1024) * 1024};
        setrlimit(RLIMIT_AS, &limit);
        const int code = List({path});
        _exit(code == EXIT_FAILED && err.str() == "zephyra list: Not enought memory!\n" ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

} // namespace
