#include "DocumentCommands.h"

#include "CZephyraDoc.h"
#include "CommandIds.h"
#include "DocumentAccess.h"
#include "FakeHost.h"
#include "StatusTexts.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zephyra {
namespace {

constexpr const char* HENON = "EWM?MPMMWMMMM";

int CaseId(char letter)
{
    return cmd::ID_NEW_CASE_FIRST + (letter - 'E');
}

class DocumentCommandsTest : public ::testing::Test {
protected:
    DocumentCommandsTest()
    {
        doc.SetObserver(&host);
        // Short runs keep the searches quick; the rules do not depend on the count.
        Arrange(doc).settings.defaults.defaultPointsCount = 3000;
        doc.SetAttractor(Attractor::CreateFromCode(HENON, doc.defaults()), SA_NO_SEARCH | SA_ADD_HISTORY);
        host.ClearRecordings();
    }
    bool Sent(int hint) const { return std::count(host.hints.begin(), host.hints.end(), hint) > 0; }
    void Run(int id) { ASSERT_TRUE(OnDocumentCommand(doc, id)) << id; }

    testing::FakeHost host;
    CZephyraDoc doc{host, nullptr, 7};
};

TEST_F(DocumentCommandsTest, NextAndPreviousBrowseHistoryAndSearchAtTheNewestEnd)
{
    Run(cmd::ID_PREVIOUS); // one entry: nothing
    EXPECT_TRUE(host.hints.empty());
    EXPECT_EQ(doc.historyPosition(), 0);

    Run(cmd::ID_NEXT); // at the newest entry: a new search of case H
    ASSERT_EQ(doc.history().Count(), 2);
    const AttractorRef found = doc.current();
    EXPECT_EQ(found->CaseLetter(), 'H');
    EXPECT_TRUE(doc.history().GetAt(0) == found);
    EXPECT_TRUE(Sent(UH_HISTORY_ADDED));

    host.ClearRecordings();
    Run(cmd::ID_PREVIOUS);
    EXPECT_EQ(doc.historyPosition(), 1);
    EXPECT_EQ(doc.current()->code, HENON);
    EXPECT_EQ(host.hints.back(), UH_HISTORY_MOVED);
    Run(cmd::ID_PREVIOUS); // already the oldest
    EXPECT_EQ(doc.historyPosition(), 1);

    Run(cmd::ID_NEXT); // back toward the newest, no search, no new entry
    EXPECT_EQ(doc.historyPosition(), 0);
    EXPECT_TRUE(doc.current() == found);
    EXPECT_EQ(doc.history().Count(), 2);
    EXPECT_FALSE(Sent(UH_HISTORY_ADDED));
}

TEST_F(DocumentCommandsTest, RefusedHistoryEntryKeepsCurrentButMovesThePosition)
{
    Arrange(doc).history.AddTail(Attractor::CreateEmpty(doc.defaults())); // as read from a file with a typo
    const AttractorRef before = doc.current();
    Run(cmd::ID_PREVIOUS);
    EXPECT_EQ(doc.historyPosition(), 1);
    EXPECT_TRUE(doc.current() == before);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Wrong attractor configuration!");
    EXPECT_EQ(host.messages[0].title, "Attractor");
    EXPECT_EQ(host.hints.back(), UH_HISTORY_MOVED);
}

TEST_F(DocumentCommandsTest, CaseItemSetsTheLetterChecksItAndSearchesIt)
{
    Run(CaseId('M'));
    EXPECT_EQ(doc.caseLetter(), 'M');
    EXPECT_EQ(doc.current()->CaseLetter(), 'M');
    for (char letter = 'E'; letter <= '^'; ++letter)
        EXPECT_EQ(DocumentCommandChecked(doc, CaseId(letter)), letter == 'M') << letter;
    Run(cmd::ID_NEXT);
    EXPECT_EQ(doc.current()->CaseLetter(), 'M');
    EXPECT_EQ(doc.history().Count(), 3);
}

TEST_F(DocumentCommandsTest, SequenceStepsACloneAtThePosition)
{
    const AttractorRef before = doc.current();
    doc.current()->position = 2;
    Run(cmd::ID_NEXT_IN_SEQUENCE);
    EXPECT_FALSE(doc.current() == before);
    EXPECT_EQ(before->code, HENON);
    EXPECT_EQ(doc.current()->code[2], 'N');
    EXPECT_TRUE(doc.history().GetAt(0) == doc.current());
    Run(cmd::ID_PREVIOUS_IN_SEQUENCE);
    EXPECT_EQ(doc.current()->code, HENON);
    EXPECT_EQ(doc.history().Count(), 3);
}

TEST_F(DocumentCommandsTest, PositionStepsWrapAndAreShown)
{
    Run(cmd::ID_INCREMENT_POSITION);
    EXPECT_EQ(doc.current()->position, 2);
    ASSERT_EQ(host.codes.size(), 1u);
    EXPECT_EQ(host.codes[0].position, 2);
    EXPECT_EQ(host.Status(PANE_MESSAGE), "Position: 2");
    Run(cmd::ID_DECREMENT_POSITION);
    Run(cmd::ID_DECREMENT_POSITION);
    EXPECT_EQ(doc.current()->position, 12);
    EXPECT_EQ(host.Status(PANE_MESSAGE), "Position: 12");
}

TEST_F(DocumentCommandsTest, AddToSavedMarksModifiedAddToFavoritesDoesNot)
{
    Run(cmd::ID_ADD_TO_FAVORITES);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(host.hints, std::vector<int>{UH_FAVORITE_ADDED});
    Run(cmd::ID_ADD_TO_SAVED);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(host.hints.back(), UH_SAVED_ADDED);
    ASSERT_EQ(doc.saved().Count(), 1);
    // Clones: a later camera change of current shows in neither list.
    EXPECT_FALSE(doc.saved().GetAt(0) == doc.current());
    doc.current()->yaw = 30.0f;
    EXPECT_EQ(doc.saved().GetAt(0)->yaw, 0.0f);
    EXPECT_EQ(doc.favorites().GetAt(0)->yaw, 0.0f);
    EXPECT_EQ(doc.saved().GetAt(0)->code, HENON);
}

TEST_F(DocumentCommandsTest, ClearCommands)
{
    Run(cmd::ID_NEXT);
    Run(cmd::ID_PREVIOUS);
    Run(cmd::ID_ADD_TO_FAVORITES);
    host.ClearRecordings();

    Run(cmd::ID_CLEAR_HISTORY);
    ASSERT_EQ(doc.history().Count(), 1);
    EXPECT_TRUE(doc.history().GetAt(0) == doc.current());
    EXPECT_EQ(doc.historyPosition(), 0);
    Run(cmd::ID_CLEAR_FAVORITES);
    EXPECT_EQ(doc.favorites().Count(), 0);
    EXPECT_EQ(host.hints, (std::vector<int>{UH_HISTORY_RELOADED, UH_FAVORITES_RELOADED}));
    EXPECT_FALSE(doc.IsModified());
}

// Adaptive Degradation changes only how the next camera move draws, so it alone skips the redraw.
TEST_F(DocumentCommandsTest, OnlyAdaptiveDegradationSkipsTheRedraw)
{
    for (const int id : {cmd::ID_VIEW_ADAPTIVE, cmd::ID_VIEW_DEFAULT_COLORS}) {
        host.ClearRecordings();
        Run(id);
        EXPECT_EQ(host.hints.size(), id == cmd::ID_VIEW_ADAPTIVE ? 0u : 1u) << id;
    }
}

TEST_F(DocumentCommandsTest, PointCountsAndTheirArithmetic)
{
    Run(cmd::ID_POINTS_10K);
    EXPECT_EQ(doc.current()->pointsCount, 10000);
    EXPECT_EQ(doc.buffer().count, 10000);
    EXPECT_EQ(host.hints.back(), UH_REDRAW);

    doc.current()->pointsCount = 50000;
    Run(cmd::ID_POINTS_10K); // the buffer holds enough: nothing to compute
    Run(cmd::ID_ADD_POINTS);
    EXPECT_EQ(doc.current()->pointsCount, 12000); // 10000 + 10000 x 0.2

    Run(cmd::ID_REMOVE_POINTS); // 12000 - 2400 = 9600, raised to the floor
    EXPECT_EQ(doc.current()->pointsCount, 10000);

    Run(cmd::ID_POINTS_100K);
    EXPECT_EQ(doc.buffer().count, 100000);
    Run(cmd::ID_REMOVE_POINTS);
    EXPECT_EQ(doc.current()->pointsCount, 80000);
    EXPECT_EQ(doc.buffer().count, 100000); // fewer points are drawn from the buffer as it is
    Run(cmd::ID_ADD_POINTS);               // so a fifth of the buffer's 100000
    EXPECT_EQ(doc.current()->pointsCount, 100000);
}

// With no current attractor (its points could not be had at start-up), unmended, any command that
// reached the points commands read it: File > Exit, Open and the panel buttons crashed.
TEST_F(DocumentCommandsTest, EveryCommandCopesWithNoCurrentAttractor)
{
    Arrange(doc).current.Reset();
    // Next and the case items search a new attractor and so make one current.
    for (int id = 0; id <= 0xFFFF; ++id)
        if (id != cmd::ID_NEXT && (id < cmd::ID_NEW_CASE_FIRST || id > cmd::ID_NEW_CASE_LAST))
            (void)OnDocumentCommand(doc, id);
    EXPECT_FALSE(doc.current());
}

TEST_F(DocumentCommandsTest, OtherIdsAreNotDocumentCommands)
{
    for (const int id : {cmd::ID_FILE_OPEN, cmd::ID_GO, cmd::ID_PANEL_SAVED, cmd::ID_NEW_CASE_LAST + 1,
                         cmd::ID_CLEAR_SAVED, cmd::ID_OPEN_SAVED, cmd::ID_JOIN, cmd::ID_SETTINGS}) {
        EXPECT_FALSE(OnDocumentCommand(doc, id)) << id;
        EXPECT_EQ(DocumentCommandChecked(doc, id), std::nullopt) << id;
    }
    EXPECT_EQ(DocumentCommandChecked(doc, cmd::ID_NEXT), std::nullopt);
}

} // namespace
} // namespace zephyra
