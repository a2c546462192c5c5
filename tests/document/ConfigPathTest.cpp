#include "ConfigPath.h"

#include "ConfigFile.h"
#include "DocumentAccess.h"
#include "PersistenceFixture.h"

#include <gtest/gtest.h>

namespace zephyra::testing {
namespace {

class ConfigPathTest : public PersistenceTest {
protected:
    std::filesystem::path program = folder / "bin" / "zephyra-explorer";
    ConfigEnvironment environment{(folder / "xdg").string(), (folder / "home").string()};

    void SetUp() override { std::filesystem::create_directories(program.parent_path()); }
};

// Unmended, a writable program folder (/usr/bin as root, ~/.local/bin) received the file; one
// that is there already stays in use.
TEST_F(ConfigPathTest, AWritableProgramFolderIsNotWrittenTheUserFolderIs)
{
    EXPECT_EQ(ResolveConfigPath(program, std::nullopt, environment),
              folder / "xdg" / "zephyra-explorer" / "zephyra-explorer.xml");
    EXPECT_EQ(ResolveConfigPath(folder / "bin" / "explorer.exe", std::nullopt, environment),
              folder / "xdg" / "zephyra-explorer" / "explorer.xml");
    const std::filesystem::path beside = folder / "bin" / "zephyra-explorer.xml";
    WriteText(beside, "<zephyra/>");
    EXPECT_EQ(ResolveConfigPath(program, std::nullopt, environment), beside);
}

TEST_F(ConfigPathTest, TheRememberedChoicesSitBesideTheConfiguration)
{
    EXPECT_EQ(ResolveConfigLocation(program, std::nullopt, environment).choices,
              folder / "xdg" / "zephyra-explorer" / "zephyra-explorer.conf");
    WriteText(folder / "bin" / "zephyra-explorer.xml", "<zephyra/>");
    const ConfigLocation portable = ResolveConfigLocation(program, std::nullopt, environment);
    EXPECT_EQ(portable.choices, folder / "bin" / "zephyra-explorer.conf");
    // --config names another file, not another place for the choices.
    EXPECT_EQ(ResolveConfigLocation(program, std::filesystem::path("/elsewhere/my.xml"), environment).choices,
              portable.choices);
}

TEST_F(ConfigPathTest, ExplicitPathWins)
{
    EXPECT_EQ(ResolveConfigPath(program, std::filesystem::path("/elsewhere/my.xml"), environment),
              "/elsewhere/my.xml");
}

TEST_F(ConfigPathTest, ReadOnlyInstallFallsBackToTheUserFolder)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    std::filesystem::permissions(program.parent_path(),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_EQ(ResolveConfigPath(program, std::nullopt, environment),
              folder / "xdg" / "zephyra-explorer" / "zephyra-explorer.xml");
    environment.xdgConfigHome = "relative/ignored";
    EXPECT_EQ(ResolveConfigPath(program, std::nullopt, environment),
              folder / "home" / ".config" / "zephyra-explorer" / "zephyra-explorer.xml");
}

TEST_F(ConfigPathTest, FolderThatCannotBeWrittenFallsBackToTheUserFolder)
{
    // A folder that does not exist cannot be written by anyone, root included.
    const std::filesystem::path installed = folder / "missing" / "zephyra-explorer";
    EXPECT_EQ(ResolveConfigPath(installed, std::nullopt, environment),
              folder / "xdg" / "zephyra-explorer" / "zephyra-explorer.xml");
    environment.xdgConfigHome.clear();
    EXPECT_EQ(ResolveConfigPath(installed, std::nullopt, environment),
              folder / "home" / ".config" / "zephyra-explorer" / "zephyra-explorer.xml");
}

// Unmended, every exit failed with "Exception occurred in WriteCfg".
TEST_F(ConfigPathTest, AReadOnlyFileBesideTheProgramIsReadOnceAndTheUserFolderWritten)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    const std::filesystem::path beside = folder / "bin" / "zephyra-explorer.xml";
    WriteText(beside, "<zephyra><settings prefix='Q'/></zephyra>");
    std::filesystem::permissions(beside, std::filesystem::perms::owner_read);
    const ConfigLocation location = ResolveConfigLocation(program, std::nullopt, environment);
    EXPECT_EQ(location.file, folder / "xdg" / "zephyra-explorer" / "zephyra-explorer.xml");
    EXPECT_EQ(location.firstRead, beside);

    XmlConfigurationStore store(location);
    {
        CZephyraDoc first(host, &store, 1);
        EXPECT_EQ(first.caseLetter(), 'Q');
        Arrange(first).settings.caseLetter = 'R';
    }
    EXPECT_TRUE(host.messages.empty());
    CZephyraDoc second(host, &store, 2);
    EXPECT_EQ(second.caseLetter(), 'R');
    EXPECT_EQ(ReadText(beside), "<zephyra><settings prefix='Q'/></zephyra>");
}

} // namespace
} // namespace zephyra::testing
