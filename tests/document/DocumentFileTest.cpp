#include "DocumentFile.h"

#include "ConfigFile.h"
#include "DocumentAccess.h"
#include "PersistenceFixture.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zephyra::testing {
namespace {

class DocumentFileTest : public PersistenceTest {
protected:
    std::filesystem::path path = folder / "saved.zpr";

    void AddSaved(int pointsCount)
    {
        Arrange(*doc).saved.AddTail(Attractor::CreateFromCode(HENON, doc->defaults()));
        doc->saved().GetAt(doc->saved().Count() - 1)->pointsCount = pointsCount;
    }
    std::vector<int> SavedPointCounts() const
    {
        std::vector<int> counts;
        for (const AttractorRef& a : doc->saved())
            counts.push_back(a->pointsCount);
        return counts;
    }
};

TEST_F(DocumentFileTest, SaveAndOpenRoundTrip)
{
    AddSaved(11);
    AddSaved(22);
    doc->saved().GetAt(1)->display.bgColor = {0.0f, 0.5f, 1.0f};
    AddSaved(33);
    doc->RemoveSaved(doc->saved().GetAt(2).get());
    ASSERT_TRUE(doc->IsModified());
    ASSERT_TRUE(OnSaveDocument(*doc, path));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_NE(ReadText(path).find("<zephyraSaved>"), std::string::npos);

    Arrange(*doc).saved.RemoveAll();
    ASSERT_TRUE(OnOpenDocument(*doc, path));
    EXPECT_EQ(SavedPointCounts(), (std::vector<int>{11, 22}));
    EXPECT_EQ(doc->saved().GetAt(1)->display.bgColor, (Rgb{0.0f, 0.5f, 1.0f}));
    EXPECT_EQ(host.hints.back(), UH_SAVED_RELOADED | UH_SAVED_SHOWN);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(DocumentFileTest, ExactValuesSurviveAndRecordsWithoutThemKeepTheirBytes)
{
    AddSaved(11);
    AddSaved(22);
    ASSERT_TRUE(OnSaveDocument(*doc, path));
    const std::string letters = ReadText(path);
    Arrange(*doc).saved.RemoveAll();
    ASSERT_TRUE(OnOpenDocument(*doc, path));
    ASSERT_TRUE(OnSaveDocument(*doc, path));
    EXPECT_EQ(ReadText(path), letters);
    EXPECT_EQ(letters.find("exact"), std::string::npos);

    const AttractorRef second = doc->saved().GetAt(1);
    std::vector<double> values = second->CoefficientValues();
    values[3] = -1.37;
    values[5] = 0.3125;
    second->SetExactCoefficients(values);
    ASSERT_TRUE(OnSaveDocument(*doc, path));
    Arrange(*doc).saved.RemoveAll();
    ASSERT_TRUE(OnOpenDocument(*doc, path));
    ASSERT_EQ(doc->saved().Count(), 2);
    EXPECT_TRUE(doc->saved().GetAt(0)->exactCoefficients.empty());
    EXPECT_EQ(doc->saved().GetAt(1)->code, HENON);
    EXPECT_EQ(doc->saved().GetAt(1)->exactCoefficients, values);
}

TEST_F(DocumentFileTest, EmptySavedListGivesAnEmptyRoot)
{
    ASSERT_TRUE(OnSaveDocument(*doc, path));
    const std::string text = ReadText(path);
    EXPECT_NE(text.find("<zephyraSaved />"), std::string::npos) << text;
    AddSaved(1);
    ASSERT_TRUE(OnOpenDocument(*doc, path));
    EXPECT_EQ(doc->saved().Count(), 0);
}

TEST_F(DocumentFileTest, OpeningAMissingOrBrokenFileKeepsEverything)
{
    AddSaved(5);
    // pugixml alone reads the first root of two and drops the rest at the next save.
    const std::string record = std::string("<attractor config='") + HENON + "'/>";
    const std::string illFormed[] = {"<zephyraSaved><attractor",
                                     "",
                                     "<zephyraSaved/><zephyraSaved>" + record + "</zephyraSaved>",
                                     "<zephyraSaved/>text",
                                     "<zephyraSaved>" + record + "</zephyraSaved>&amp;",
                                     "<zephyraSaved><attractor config='E' config='F'/></zephyraSaved>",
                                     "<zephyraSaved><attractor config='<'/></zephyraSaved>",
                                     "<zephyraSaved><attractor config='a&b'/></zephyraSaved>",
                                     "<zephyraSaved>R&D</zephyraSaved>"};
    const std::filesystem::path absent = folder / "absent.zpr";
    for (const std::string& content : illFormed) {
        WriteText(path, content);
        host.messages.clear();
        EXPECT_FALSE(OnOpenDocument(*doc, content.empty() ? absent : path)) << content;
        EXPECT_FALSE(OnOpenDocument(*doc, path)) << content;
        EXPECT_EQ(SavedPointCounts(), std::vector<int>{5});
        ASSERT_EQ(host.messages.size(), 2u);
        EXPECT_EQ(host.messages[0].text, "File not found.");
        EXPECT_EQ(host.messages[0].title, "Error");
    }
    EXPECT_TRUE(host.hints.empty());
}

TEST_F(DocumentFileTest, CommentsAndOtherNamesBetweenRecordsAreRead)
{
    WriteText(path,
              std::string("<?xml version='1.0'?>\n<anyRoot note='&lt;&#38;&#x26;'><attractor config='") +
                  HENON + "' pointsCount='1'/><!-- note --><record config='" + HENON +
                  "' pointsCount='2'/>&amp;</anyRoot>\n<!-- after -->\n");
    ASSERT_TRUE(OnOpenDocument(*doc, path));
    EXPECT_EQ(SavedPointCounts(), (std::vector<int>{1, 2}));
}

TEST_F(DocumentFileTest, ConfigurationFileOpensAsThreeInvalidRecords)
{
    Arrange(*doc).favorites.AddTail(Attractor::CreateFromCode(HENON, doc->defaults()));
    WriteCfg(*doc, path);
    ASSERT_TRUE(OnOpenDocument(*doc, path));
    ASSERT_EQ(doc->saved().Count(), 3);
    for (const AttractorRef& a : doc->saved())
        EXPECT_FALSE(a->valid);
}

TEST_F(DocumentFileTest, JoiningADocumentIntoItselfDoublesSaved)
{
    AddSaved(1);
    AddSaved(2);
    ASSERT_TRUE(OnSaveDocument(*doc, path));
    OnSavedJoin(*doc, path);
    EXPECT_EQ(SavedPointCounts(), (std::vector<int>{1, 2, 1, 2}));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(host.hints, std::vector<int>{UH_SAVED_RELOADED | UH_SAVED_SHOWN});
}

TEST_F(DocumentFileTest, JoinThatFailsChangesNothing)
{
    AddSaved(1);
    OnSavedJoin(*doc, folder / "absent.zpr");
    EXPECT_EQ(SavedPointCounts(), std::vector<int>{1});
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(host.hints.empty());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Exception occurred in OnSavedJoin");
}

TEST_F(DocumentFileTest, FailedSaveKeepsTheOldFileAndTheModifiedFlag)
{
    AddSaved(1);
    ASSERT_TRUE(OnSaveDocument(*doc, path));
    const std::string before = ReadText(path);
    for (int i = 0; i < 40; ++i)
        AddSaved(i);
    doc->RemoveSaved(doc->saved().GetAt(0).get());

    bool saved = true;
    {
        const FileSizeLimit limit(before.size() + 100);
        saved = OnSaveDocument(*doc, path);
    }

    EXPECT_FALSE(saved);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(ReadText(path), before);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              "Exception occurred in OnSaveDocument: cannot write " + path.string() + ": File too large");
}

TEST_F(DocumentFileTest, ReadOnlyDocumentIsRefusedAsAFailedWrite)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    WriteText(path, "old");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    AddSaved(1);
    doc->JoinSaved({}); // the document is modified
    EXPECT_FALSE(OnSaveDocument(*doc, path));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(ReadText(path), "old");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              "Exception occurred in OnSaveDocument: cannot write " + path.string() + ": Permission denied");
}

TEST_F(DocumentFileTest, SaveThroughALinkReplacesTheLinkedFile)
{
    const std::filesystem::path real = folder / "real.zpr";
    WriteText(real, "old");
    std::filesystem::create_symlink(real, path);
    AddSaved(3);
    ASSERT_TRUE(OnSaveDocument(*doc, path));
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    EXPECT_NE(ReadText(real).find("pointsCount=\"3\""), std::string::npos);
}

// The most memory this process has held so far, in bytes.
std::uint64_t PeakMemory()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<std::uint64_t>(usage.ru_maxrss) * 1024;
}

// Unmended, each record held its 3 KB thumbnail, and a 10 MB document took 16 times its size.
TEST_F(DocumentFileTest, ALargeDocumentTakesAtMostTenTimesItsSizeToOpen)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's red zones are counted too";
#endif
    const std::string record =
        "\t\t<attractor config=\"EWM?MPMMWMMMM\" pointsCount=\"50000\" fov=\"60\" zoom=\"2.5\" yaw=\"12.5\" "
        "pitch=\"-3\" tx=\"0\" ty=\"0\" x0=\"0.05\" y0=\"0.05\" z0=\"0.05\" w0=\"0.05\" coordX=\"0\" "
        "coordY=\"1\" "
        "coordZ=\"2\" colorR=\"0\" colorG=\"1\" colorB=\"2\" fgColor=\"1.000000 1.000000 1.000000\" "
        "bgColor=\"0.000000 0.000000 0.000000\"/>\n";
    std::string text = "<?xml version=\"1.0\"?>\n<zephyraSaved>\n";
    for (int i = 0; i < 20000; ++i)
        text += record;
    text += "</zephyraSaved>\n";
    WriteText(path, text);
    // In a child of its own, so that what this program held before does not hide the peak.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const std::uint64_t before = PeakMemory();
        const bool opened = OnOpenDocument(*doc, path) && doc->saved().Count() == 20000;
        _exit(opened && PeakMemory() - before <= 10 * text.size() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

} // namespace
} // namespace zephyra::testing
