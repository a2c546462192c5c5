#include "AtomicFile.h"

#include "PersistenceFixture.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

namespace zephyra::testing {
namespace {

class AtomicFileTest : public PersistenceTest {
protected:
    std::filesystem::path path = folder / "saved.zpr";
};

TEST_F(AtomicFileTest, AWritableFileInAReadOnlyFolderIsRewrittenInPlace)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    WriteText(path, "a much longer old content");
    std::filesystem::permissions(folder,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_TRUE(WriteFileAtomically(path, "new"));
    // Unmended, the reason was the missing file's ("No such file or directory"), not the folder's.
    EXPECT_EQ(WriteFileSayingWhy(folder / "absent.zpr", "new"),
              "cannot write " + (folder / "absent.zpr").string() + ": Permission denied");
    // What the write would fail on is said before it, with the system's reason.
    EXPECT_EQ(WritableFileProblem(path), "");
    EXPECT_EQ(WritableFileProblem(folder / "absent.zpr"), folder.string() + ": Permission denied");
    EXPECT_EQ(WritableFileProblem(folder / "none" / "a.zpr"),
              (folder / "none").string() + ": no such folder");
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
    EXPECT_EQ(ReadText(path), "new");
}

// A save killed before its rename leaves its temporary file; the next save removes it, but not the
// one a running save holds, nor a file that only looks alike.
TEST_F(AtomicFileTest, StaleTemporariesAreRemovedByTheNextSave)
{
    const std::filesystem::path stale = folder / "saved.zpr.saving-Ab12Cd";
    const std::filesystem::path running = folder / "saved.zpr.saving-Xy34Zw";
    const std::filesystem::path other = folder / "saved.zpr.saving-old";
    for (const auto& p : {stale, running, other})
        WriteText(p, "partial");
    const int held = open(running.c_str(), O_RDONLY);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    EXPECT_TRUE(WriteFileAtomically(path, "new"));
    close(held);
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(std::filesystem::exists(running));
    EXPECT_TRUE(std::filesystem::exists(other));
    EXPECT_EQ(ReadText(path), "new");
}

// Unmended, the rename turned a FIFO (or a device, for root) into a file and reported success.
TEST_F(AtomicFileTest, OnlyRegularFilesOrMissingNamesAreWritten)
{
    const std::filesystem::path fifo = folder / "pipe.zpr";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::filesystem::path link = folder / "link.zpr";
    std::filesystem::create_symlink(fifo, link);
    EXPECT_FALSE(WriteFileAtomically(fifo, "new"));
    EXPECT_FALSE(WriteFileAtomically(link, "new"));
    EXPECT_FALSE(WriteFileAtomically(folder, "new"));
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(WriteFileSayingWhy(fifo, "new"),
              "cannot write " + fifo.string() + ": a FIFO, not a regular file");
    EXPECT_EQ(OutputFileProblem(folder), folder.string() + ": a folder, not a regular file");
    EXPECT_EQ(OutputFileProblem(folder / "absent.zpr"), "");
    EXPECT_TRUE(WriteFileAtomically(path, "new"));
    EXPECT_EQ(OutputFileProblem(path), "");
}

} // namespace
} // namespace zephyra::testing
