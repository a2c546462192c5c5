// The History panel: newest first, its selection following historyPosition, activation pushing a
// record, and no Remove.
#include "CPanelEx.h"
#include "CommandIds.h"
#include "DocumentAccess.h"
#include "PanelTestHost.h"

#include <QTest>

using namespace zephyra;
using namespace zephyra::testing;

namespace {

const std::vector<const char*> CODES{"EWM?MPMMWMMMM", "EAGHNFODVNJCP", "ECVQKGHQTPHTE", "EBCQAFMFVPXKQ"};

// A history of the four codes, the first the newest, shown by the framework's first update.
struct HistoryFixture : PanelFixture {
    HistoryFixture() : PanelFixture(PANEL_HISTORY)
    {
        for (auto it = CODES.rbegin(); it != CODES.rend(); ++it)
            Arrange(doc).history.AddHead(Record(*it));
        InitialUpdate();
    }
    [[nodiscard]] int SelectedRow() const
    {
        QTreeWidgetItem* item = Tree().currentItem();
        return item && item->isSelected() ? Tree().indexOfTopLevelItem(item) : -1;
    }
    [[nodiscard]] Attractor* SelectedRecord() const { return CPanelEx::RecordOf(Tree().currentItem()); }
};

} // namespace

class HistoryPanelTest : public QObject {
    Q_OBJECT
private slots:
    void initialUpdateListsNewestFirstAndSelectsThePosition();
    void combinedAddedAndMovedIsHandledAsAdded();
    void previousSelectsDownAndNextUp();
    void recordsWithoutCodeAreSkippedWithoutShiftingTheSelection();
    void deleteKeyDoesNothing();
    void doubleClickPushesTheRecordAsTheNewFirstItem();
    void enterActsAsADoubleClick();
    void thumbnailOfTheCurrentRecordFollowsARedraw();
};

void HistoryPanelTest::initialUpdateListsNewestFirstAndSelectsThePosition()
{
    HistoryFixture f;
    QCOMPARE(ChildTexts(f.Tree(), nullptr), QStringList({CODES[0], CODES[1], CODES[2], CODES[3]}));
    QCOMPARE(f.SelectedRow(), 0);

    Arrange(f.doc).historyPosition = 2;
    f.doc.UpdateAllViews(UH_HISTORY_RELOADED);
    QCOMPARE(f.Tree().topLevelItemCount(), 4);
    QCOMPARE(f.SelectedRow(), 2);
    QCOMPARE(f.SelectedRecord(), f.doc.history().GetAt(2).get());
}

void HistoryPanelTest::combinedAddedAndMovedIsHandledAsAdded()
{
    HistoryFixture f;
    Arrange(f.doc).historyPosition = 3;
    f.doc.UpdateAllViews(UH_HISTORY_MOVED);
    QCOMPARE(f.SelectedRow(), 3);

    const AttractorRef newest = f.Record("EMMMMMMMMMMMM");
    Arrange(f.doc).history.AddHead(newest);
    f.doc.UpdateAllViews(UH_HISTORY_ADDED | UH_HISTORY_MOVED);

    QCOMPARE(f.Tree().topLevelItemCount(), 5);
    QCOMPARE(CPanelEx::RecordOf(f.Tree().topLevelItem(0)), newest.get());
    QCOMPARE(f.SelectedRow(), 0);
}

void HistoryPanelTest::previousSelectsDownAndNextUp()
{
    HistoryFixture f;
    // What the document's Previous and Next do to the position, as far as the panel sees it.
    f.panel.reset();
    f.panel = CreatePanel(
        PANEL_HISTORY, f.doc,
        [&f](int id) {
            f.sent.push_back(id);
            Arrange(f.doc).historyPosition += id == cmd::ID_PREVIOUS ? 1 : -1;
            f.doc.UpdateAllViews(UH_HISTORY_MOVED);
        },
        nullptr);
    f.panel->show();
    f.InitialUpdate();

    ClickButton(*f.panel, cmd::ID_PREVIOUS);
    QCOMPARE(f.SelectedRow(), 1);
    ClickButton(*f.panel, cmd::ID_PREVIOUS);
    QCOMPARE(f.SelectedRow(), 2);
    ClickButton(*f.panel, cmd::ID_NEXT);
    QCOMPARE(f.SelectedRow(), 1);
    QCOMPARE(f.sent, std::vector<int>({cmd::ID_PREVIOUS, cmd::ID_PREVIOUS, cmd::ID_NEXT}));
    QCOMPARE(f.Tree().topLevelItemCount(), 4);
}

void HistoryPanelTest::recordsWithoutCodeAreSkippedWithoutShiftingTheSelection()
{
    HistoryFixture f;
    Arrange(f.doc).history.AddHead(
        Attractor::CreateEmpty(f.doc.defaults())); // read from a file with a bad code
    Arrange(f.doc).historyPosition = 3;
    f.doc.UpdateAllViews(UH_HISTORY_RELOADED);

    QCOMPARE(f.Tree().topLevelItemCount(), 4);
    QCOMPARE(f.SelectedRecord(), f.doc.history().GetAt(3).get());

    Arrange(f.doc).historyPosition = 0; // the entry without an item
    f.doc.UpdateAllViews(UH_HISTORY_MOVED);
    QCOMPARE(f.SelectedRow(), -1);

    Arrange(f.doc).history.AddHead(Attractor::CreateEmpty(f.doc.defaults()));
    f.doc.UpdateAllViews(UH_HISTORY_ADDED);
    QCOMPARE(f.Tree().topLevelItemCount(), 4);
}

void HistoryPanelTest::deleteKeyDoesNothing()
{
    HistoryFixture f;
    f.Tree().setCurrentItem(f.Tree().topLevelItem(1));
    QTest::keyClick(&f.Tree(), Qt::Key_Delete);
    QCOMPARE(f.Tree().topLevelItemCount(), 4);
    QCOMPARE(f.doc.history().Count(), 4);
    QVERIFY(f.sent.empty());
}

void HistoryPanelTest::doubleClickPushesTheRecordAsTheNewFirstItem()
{
    HistoryFixture f;
    const AttractorRef chosen = f.doc.history().GetAt(2);
    f.host.hints.clear();

    DoubleClick(f.Tree(), f.Tree().topLevelItem(2));

    QVERIFY(f.doc.current() == chosen);
    QCOMPARE(f.doc.history().Count(), 5);
    QVERIFY(f.doc.history().GetAt(0) == chosen);
    QCOMPARE(f.Tree().topLevelItemCount(), 5);
    QCOMPARE(f.SelectedRow(), 0);
    QCOMPARE(f.SelectedRecord(), chosen.get());
    QVERIFY(std::count(f.host.hints.begin(), f.host.hints.end(), UH_HISTORY_ADDED) == 1);
}

void HistoryPanelTest::enterActsAsADoubleClick()
{
    HistoryFixture f;
    const AttractorRef chosen = f.doc.history().GetAt(1);
    f.Tree().setCurrentItem(f.Tree().topLevelItem(1));

    QTest::keyClick(&f.Tree(), Qt::Key_Return);

    QVERIFY(f.doc.current() == chosen);
    QVERIFY(f.doc.history().GetAt(0) == chosen);
    QCOMPARE(f.SelectedRecord(), chosen.get());
    QCOMPARE(f.SelectedRow(), 0);
}

void HistoryPanelTest::thumbnailOfTheCurrentRecordFollowsARedraw()
{
    HistoryFixture f;
    Arrange(f.doc).current = f.doc.history().GetAt(1);
    Attractor& shown = *f.doc.current();
    shown.thumbnail.fill(0); // black: redrawn after a recomputation
    f.doc.history().GetAt(0)->thumbnail.fill(0);

    f.doc.UpdateAllViews(UH_REDRAW);

    const auto topLeft = [&f](int row) {
        return f.Tree().topLevelItem(row)->icon(0).pixmap(QSize(32, 32)).toImage().pixel(0, 0);
    };
    QCOMPARE(topLeft(1), qRgb(0, 0, 0));
    QCOMPARE(topLeft(0), qRgb(255, 255, 255)); // not current: left as it was drawn
    QCOMPARE(f.Tree().topLevelItemCount(), 4);
    QCOMPARE(f.SelectedRow(), 0);
}

QTEST_MAIN(HistoryPanelTest)
#include "HistoryPanelTest.moc"
