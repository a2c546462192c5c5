#include "ConfigFile.h"

#include "DocumentAccess.h"
#include "PersistenceFixture.h"

#include <gtest/gtest.h>

#include <clocale>
#include <tuple>

namespace zephyra::testing {
namespace {

class ConfigFileTest : public PersistenceTest {
protected:
    std::filesystem::path path = folder / "zephyra-explorer.xml";

    // A second program start: a fresh document reads the file.
    std::unique_ptr<CZephyraDoc> Restart()
    {
        auto next = std::make_unique<CZephyraDoc>(host, nullptr, 2);
        ReadCfg(*next, path);
        return next;
    }
    void AddHistory(int n)
    {
        for (int i = 0; i < n; ++i) {
            Arrange(*doc).history.AddTail(Attractor::CreateFromCode(HENON, doc->defaults));
            doc->history().GetAt(doc->history().Count() - 1)->pointsCount = 1000 + i;
        }
    }
};

TEST_F(ConfigFileTest, SettingsDefaultsAndListsSurviveARestart)
{
    doc->caseLetter = 'M';
    doc->defaults.defaultPointsCount = 100000;
    doc->antialias = 1;
    doc->viewCross = true;
    doc->viewBox = true;
    doc->viewBlackWhite = true;
    doc->viewDefaultColors = true;
    doc->viewAdaptive = false;
    doc->viewDensity = true;
    doc->viewShade = true;
    doc->pointsOnCpu = 2;
    doc->historyLimit = 7;
    doc->defaults.defaults2D.fgColor = {0.1f, 0.2f, 0.3f};
    doc->defaults.defaults3D.coordX = 3;
    doc->defaults.defaults4D.x0 = -0.75f;
    Arrange(*doc).favorites.AddTail(Attractor::CreateFromCode(HENON, doc->defaults));
    doc->favorites().GetAt(0)->yaw = 45.5f;
    AddHistory(2);
    WriteCfg(*doc, path);

    const auto next = Restart();
    EXPECT_EQ(next->caseLetter, 'M');
    EXPECT_EQ(next->defaults.defaultPointsCount, 100000);
    EXPECT_EQ(next->antialias, 1);
    EXPECT_TRUE(next->viewCross && next->viewBox && next->viewBlackWhite && next->viewDefaultColors);
    EXPECT_FALSE(next->viewAdaptive);
    EXPECT_TRUE(next->viewDensity && next->viewShade);
    EXPECT_EQ(next->pointsOnCpu, 2);
    EXPECT_EQ(next->historyLimit, 7);
    EXPECT_EQ(next->defaults.defaults2D, doc->defaults.defaults2D);
    EXPECT_EQ(next->defaults.defaults3D, doc->defaults.defaults3D);
    EXPECT_EQ(next->defaults.defaults4D, doc->defaults.defaults4D);
    ASSERT_EQ(next->favorites().Count(), 1);
    EXPECT_EQ(next->favorites().GetAt(0)->yaw, 45.5f);
    ASSERT_EQ(next->history().Count(), 2);
    EXPECT_EQ(next->history().GetAt(0)->pointsCount, 1000);
    EXPECT_EQ(next->history().GetAt(1)->pointsCount, 1001);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ConfigFileTest, ListsReadIntoAShownDocumentFollowThoseHeldAndAreAnnounced)
{
    Arrange(*doc).favorites.AddTail(Attractor::CreateFromCode(HENON, doc->defaults));
    AddHistory(1);
    WriteCfg(*doc, path);
    host.ClearRecordings();
    ReadCfg(*doc, path);
    EXPECT_EQ(doc->favorites().Count(), 2);
    ASSERT_EQ(doc->history().Count(), 2);
    EXPECT_EQ(doc->history().GetAt(1)->pointsCount, 1000);
    EXPECT_EQ(host.hints, (std::vector<int>{UH_FAVORITES_RELOADED, UH_HISTORY_RELOADED}));
}

TEST_F(ConfigFileTest, WrittenStructure)
{
    WriteCfg(*doc, path);
    const std::string text = ReadText(path);
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\"?>", 0), 0u) << text;
    EXPECT_NE(
        text.find(
            "<settings prefix=\"H\" pointsCount=\"50000\" antialias=\"0\" viewCross=\"0\" viewBox=\"0\" "
            "viewBlackWhite=\"0\" viewDefaultColors=\"0\" viewAdaptive=\"1\" historyLimit=\"-1\" "
            "viewDensity=\"0\" pointsOnCpu=\"0\" viewShade=\"0\">"),
        std::string::npos)
        << text;
    const auto settings = text.find("<settings"), defaults4D = text.find("<defaults4D"),
               favorites = text.find("<favorites"), history = text.find("<history");
    EXPECT_LT(settings, defaults4D);
    EXPECT_LT(defaults4D, favorites);
    EXPECT_LT(favorites, history);
    EXPECT_NE(history, std::string::npos);
}

TEST_F(ConfigFileTest, HistoryLimitDecidesHowManyNewestEntriesAreWritten)
{
    AddHistory(10);
    for (const int limit : {0, 3, -1}) {
        doc->historyLimit = limit;
        WriteCfg(*doc, path);
        const auto next = Restart();
        ASSERT_EQ(next->history().Count(), limit < 0 ? 10 : limit) << "limit " << limit;
        for (int i = 0; i < next->history().Count(); ++i)
            EXPECT_EQ(next->history().GetAt(i)->pointsCount, 1000 + i);
    }
}

TEST_F(ConfigFileTest, AMissingOrIllFormedFileChangesNothingSilently)
{
    ReadCfg(*doc, folder / "absent.xml");
    WriteText(path, "<zephyra><settings prefix='Q'");
    ReadCfg(*doc, path);
    EXPECT_EQ(doc->caseLetter, 'H');
    EXPECT_EQ(doc->historyLimit, -1);
    EXPECT_EQ(doc->favorites().Count(), 0);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ConfigFileTest, AnIllFormedFileIsKeptAsBadBeforeTheWrite)
{
    const std::string twoRoots = std::string("<zephyra/><zephyra><favorites><attractor config='") + HENON +
                                 "'/></favorites></zephyra>";
    WriteText(path, twoRoots);
    ReadCfg(*doc, path);
    EXPECT_EQ(doc->favorites().Count(), 0);
    ::testing::internal::CaptureStderr();
    WriteCfg(*doc, path);
    WriteCfg(*doc, path);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(ReadText(folder / "zephyra-explorer.xml.bad"), twoRoots);
    EXPECT_EQ(said, "zephyra-explorer: " + path.string() + " is not well-formed; kept as " + path.string() +
                        ".bad\n");
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ConfigFileTest, ElementsAreFoundByNameWhereverTheyStand)
{
    WriteText(path, std::string("<other><favorites><attractor config='") + HENON +
                        "'/></favorites><settings prefix='Kx' viewBox='2' viewCross='1' historyLimit='4'>"
                        "<defaults2D coordX='1'/><defaults2D coordY='0'/></settings>"
                        "<deep><settings viewBox='1' antialias='1'/></deep>"
                        "<favorites><attractor/></favorites><history/></other>");
    ReadCfg(*doc, path);
    EXPECT_EQ(doc->caseLetter, 'K');
    EXPECT_TRUE(doc->viewBox); // 2 reads as false, then the later settings say 1
    EXPECT_TRUE(doc->viewCross);
    EXPECT_EQ(doc->historyLimit, 4);
    EXPECT_EQ(doc->antialias, 1);
    EXPECT_EQ(doc->defaults.defaults2D.coordX, 1);
    EXPECT_EQ(doc->defaults.defaults2D.coordY, 0);
    ASSERT_EQ(doc->favorites().Count(), 2);
    EXPECT_TRUE(doc->favorites().GetAt(0)->valid);
    EXPECT_FALSE(doc->favorites().GetAt(1)->valid);
}

TEST_F(ConfigFileTest, FlagsAreTrueOnlyForOne)
{
    WriteText(path, "<zephyra><settings viewBox='2' viewAdaptive='0' viewCross='1abc' prefix=''/></zephyra>");
    ReadCfg(*doc, path);
    EXPECT_FALSE(doc->viewBox);
    EXPECT_FALSE(doc->viewAdaptive);
    EXPECT_TRUE(doc->viewCross);
    EXPECT_FALSE(doc->viewDensity);  // a file written before the Density view
    EXPECT_EQ(doc->caseLetter, 'H'); // an empty prefix names no case
}

// Unmended, a start point that is no number was taken, and written back at the next exit.
TEST_F(ConfigFileTest, AStartPointThatIsNoNumberTakesTheBuiltInOne)
{
    WriteText(path, "<zephyra><settings><defaults2D x0='nan' y0='0.25'/><defaults4D w0='-inf'/></settings>"
                    "</zephyra>");
    ReadCfg(*doc, path);
    const DisplaySettings builtIn;
    EXPECT_EQ(doc->defaults.defaults2D.x0, builtIn.x0);
    EXPECT_EQ(doc->defaults.defaults2D.y0, 0.25f);
    EXPECT_EQ(doc->defaults.defaults4D.w0, builtIn.w0);
    WriteCfg(*doc, path);
    EXPECT_EQ(ReadText(path).find("nan"), std::string::npos);
}

// Unmended, the read stopped at a comment and the write at exit dropped what followed it.
TEST_F(ConfigFileTest, CommentsBetweenFavoritesLoseNoneOfThem)
{
    WriteText(path, std::string("<?xml version='1.0'?><zephyra><favorites>") + "<attractor config='" + HENON +
                        "' yaw='1'/><!-- the good one -->\n  <?note?> stray text <attractor config='" +
                        HENON + "' yaw='2'/></favorites></zephyra>");
    ReadCfg(*doc, path);
    WriteCfg(*doc, path);
    const auto next = Restart();
    ASSERT_EQ(next->favorites().Count(), 2);
    EXPECT_EQ(next->favorites().GetAt(1)->yaw, 2.0f);
}

TEST_F(ConfigFileTest, RefusedCodesAreWrittenBackAsTyped)
{
    WriteText(path, "<zephyra><history><attractor config='E typo' pointsCount='9'/></history></zephyra>");
    ReadCfg(*doc, path);
    WriteCfg(*doc, path);
    EXPECT_NE(ReadText(path).find("config=\"E typo\""), std::string::npos);
}

TEST_F(ConfigFileTest, GermanLocaleWritesAndReadsPoints)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "de_DE.utf8"))
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    doc->defaults.defaults2D.x0 = 0.5f;
    doc->defaults.defaults2D.fgColor = {0.25f, 0.5f, 0.75f};
    WriteCfg(*doc, path);
    const std::string text = ReadText(path);
    const auto next = Restart();
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_NE(text.find("x0=\"0.5\""), std::string::npos) << text;
    EXPECT_NE(text.find("fgColor=\"0.250000 0.500000 0.750000\""), std::string::npos) << text;
    EXPECT_EQ(next->defaults.defaults2D, doc->defaults.defaults2D);
}

// A write that fails half-way (here: a file-size limit, which holds for root as well) must leave
// the previous file as it was; writing in place would have truncated it.
TEST_F(ConfigFileTest, FailedWriteLeavesTheOldFileByteForByte)
{
    WriteCfg(*doc, path);
    const std::string before = ReadText(path);
    AddHistory(50);

    {
        const FileSizeLimit limit(before.size() + 100);
        WriteCfg(*doc, path);
    }

    EXPECT_EQ(ReadText(path), before);
    ASSERT_EQ(host.messages.size(), 1u);
    // Unmended, the message named neither the file nor the reason.
    EXPECT_EQ(host.messages[0].text,
              "Exception occurred in WriteCfg: cannot write " + path.string() + ": File too large");
    EXPECT_EQ(host.messages[0].title, "Error");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1) << "temporary file left";
}

TEST_F(ConfigFileTest, WritableFileInAReadOnlyFolderIsWrittenAndAReadOnlyOneRefused)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    WriteCfg(*doc, path);
    doc->caseLetter = 'Q';
    std::filesystem::permissions(folder,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    WriteCfg(*doc, path);
    EXPECT_EQ(Restart()->caseLetter, 'Q');
    EXPECT_TRUE(host.messages.empty());

    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    doc->caseLetter = 'R';
    WriteCfg(*doc, path);
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
    EXPECT_EQ(Restart()->caseLetter, 'Q');
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              "Exception occurred in WriteCfg: cannot write " + path.string() + ": Permission denied");
}

TEST_F(ConfigFileTest, StoreReadsAtConstructionAndWritesAtDestruction)
{
    XmlConfigurationStore store(folder / "user" / "zephyra-explorer" / "zephyra-explorer.xml");
    {
        CZephyraDoc first(host, &store, 3);
        first.caseLetter = 'Z';
        Arrange(first).history.AddHead(Attractor::CreateFromCode(HENON, first.defaults));
    }
    CZephyraDoc second(host, &store, 4);
    EXPECT_EQ(second.configPath(), store.Path().string());
    EXPECT_EQ(second.caseLetter, 'Z');
    EXPECT_EQ(second.history().Count(), 1);
    EXPECT_TRUE(host.messages.empty());
}

// Two windows on one file: the later exit keeps what the earlier one added to Favorites, drops what
// it removed itself, and keeps its own History.
TEST_F(ConfigFileTest, FavoritesOfTwoProgramsMergeThreeWays)
{
    auto favorite = [&](CZephyraDoc& d, int points) {
        Arrange(d).favorites.AddTail(Attractor::CreateFromCode(HENON, d.defaults));
        d.favorites().GetAt(d.favorites().Count() - 1)->pointsCount = points;
    };
    favorite(*doc, 1);
    favorite(*doc, 2);
    WriteCfg(*doc, path);
    XmlConfigurationStore firstStore(path), secondStore(path);
    CZephyraDoc first(host, nullptr, 3), second(host, nullptr, 4);
    firstStore.Read(first);
    secondStore.Read(second);
    favorite(second, 3);
    secondStore.Write(second);
    Arrange(first).favorites.RemoveAt(0);
    favorite(first, 4);
    first.caseLetter = 'Q';
    firstStore.Write(first);
    firstStore.Write(first); // nothing is added twice

    const auto next = Restart();
    std::vector<int> counts;
    for (const AttractorRef& a : next->favorites())
        counts.push_back(a->pointsCount);
    EXPECT_EQ(counts, (std::vector<int>{2, 4, 3}));
    EXPECT_EQ(next->caseLetter, 'Q');
}

// Unmended, favourites were compared as text: the later exit took the earlier one's rewrite of a
// hand-written record for one added meanwhile and kept both.
TEST_F(ConfigFileTest, HandWrittenFavoritesAreComparedByValue)
{
    WriteText(path, std::string("<zephyra><favorites>\n  <attractor yaw='1.50' config='") + HENON +
                        "'   pointsCount='700'/>\n</favorites></zephyra>");
    XmlConfigurationStore firstStore(path), secondStore(path);
    CZephyraDoc first(host, nullptr, 3), second(host, nullptr, 4);
    firstStore.Read(first);
    secondStore.Read(second);
    for (auto [d, store, points] :
         {std::tuple{&first, &firstStore, 1}, std::tuple{&second, &secondStore, 2}}) {
        Arrange(*d).favorites.AddTail(Attractor::CreateFromCode(HENON, d->defaults));
        d->favorites().GetAt(d->favorites().Count() - 1)->pointsCount = points;
        store->Write(*d);
    }
    const auto next = Restart();
    std::vector<int> counts;
    for (const AttractorRef& a : next->favorites())
        counts.push_back(a->pointsCount);
    EXPECT_EQ(counts, (std::vector<int>{700, 2, 1}));
    EXPECT_EQ(next->favorites().GetAt(0)->yaw, 1.5f);
}

} // namespace
} // namespace zephyra::testing
