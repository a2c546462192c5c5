// The Favorites and Saved panels: the case tree, appending, rebuilding, Remove, thumbnails, and the
// frame every panel shares (buttons, close button, layout).
#include "CPanelEx.h"
#include "CommandIds.h"
#include "DocumentAccess.h"
#include "PanelTestHost.h"
#include "ThumbnailImage.h"

#include <QLabel>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace zephyra;
using namespace zephyra::testing;

namespace {

const char* const HENON = "EWM?MPMMWMMMM";
const char* const CASE_E_OTHER = "EAGHNFODVNJCP";

int RecordCount(const QTreeWidget& tree)
{
    int count = 0;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(&tree)); *it; ++it)
        count += CPanelEx::RecordOf(*it) ? 1 : 0;
    return count;
}

QTreeWidgetItem* LastChild(QTreeWidgetItem* node)
{
    return node->child(node->childCount() - 1);
}

} // namespace

class RecordPanelsTest : public QObject {
    Q_OBJECT
private slots:
    void clearedFavoritesLeaveTheExpandedCaseSkeleton();
    void addedRecordGoesLastUnderItsCaseNode_data();
    void addedRecordGoesLastUnderItsCaseNode();
    void removeTakesOutTheSelectedOfTwoEqualCodes_data();
    void removeTakesOutTheSelectedOfTwoEqualCodes();
    void removeWithoutASelectedRecordChangesNothing();
    void itemOutlivesAListThatDroppedItsRecord();
    void recordWithoutCodeGetsNoItem();
    void redrawHintLeavesTheTreeAlone();
    void thumbnailImageMatchesTheBytes();
    void itemIconIsTheRecordsThumbnail();
    void buttonsSendTheirCommands_data();
    void buttonsSendTheirCommands();
    void closeButtonReturnsToTheViewAlone();
    void layoutKeepsTheBandsAndTheTree();
};

void RecordPanelsTest::clearedFavoritesLeaveTheExpandedCaseSkeleton()
{
    PanelFixture f(PANEL_FAVORITES);
    Arrange(f.doc).favorites.AddTail(f.Record(HENON));
    Arrange(f.doc).favorites.AddTail(f.Record(QString(105, 'M').prepend('K').toLatin1().constData()));
    f.InitialUpdate();
    QCOMPARE(RecordCount(f.Tree()), 2);

    Arrange(f.doc).favorites.RemoveAll();
    f.doc.UpdateAllViews(UH_FAVORITES_RELOADED);

    QCOMPARE(RecordCount(f.Tree()), 0);
    QCOMPARE(ChildTexts(f.Tree(), nullptr),
             QStringList({"2D Attractors", "3D Attractors", "4D Attractors", "ODE Attractors", "Special"}));
    QCOMPARE(ChildTexts(f.Tree(), FindItem(f.Tree(), {"ODE Attractors"})),
             QStringList({"3D Attractors", "4D Attractors"}));
    QCOMPARE(ChildTexts(f.Tree(), FindItem(f.Tree(), {"Special"})),
             QStringList({"Case Y", "Case Z", "Case [", "Case \\", "Case ]", "Case ^"}));
    auto* panel = static_cast<CPanelEx*>(f.panel.get());
    for (char letter = 'E'; letter <= '^'; ++letter) {
        QTreeWidgetItem* node = panel->CaseNode(letter);
        QVERIFY(node);
        QCOMPARE(node->text(0), QStringLiteral("Case %1").arg(QChar(letter)));
        QCOMPARE(node->childCount(), 0);
        for (QTreeWidgetItem* up = node; up; up = up->parent())
            QVERIFY2(up->isExpanded(), qPrintable(up->text(0)));
    }
}

void RecordPanelsTest::addedRecordGoesLastUnderItsCaseNode_data()
{
    QTest::addColumn<int>("panelCode");
    QTest::addColumn<int>("addedHint");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("path");
    const QString k = QString(105, 'M').prepend('K');
    const QString s = QString(105, 'M').prepend('S');
    QTest::newRow("favorite of case K")
        << PANEL_FAVORITES << UH_FAVORITE_ADDED << k << QStringList({"3D Attractors", "Case K"});
    QTest::newRow("favorite of case S") << PANEL_FAVORITES << UH_FAVORITE_ADDED << s
                                        << QStringList({"ODE Attractors", "3D Attractors", "Case S"});
    QTest::newRow("saved of case K") << PANEL_SAVED << UH_SAVED_ADDED << k
                                     << QStringList({"3D Attractors", "Case K"});
}

void RecordPanelsTest::addedRecordGoesLastUnderItsCaseNode()
{
    QFETCH(int, panelCode);
    QFETCH(int, addedHint);
    QFETCH(QString, code);
    QFETCH(QStringList, path);
    PanelFixture f(panelCode);
    AttractorList& list = panelCode == PANEL_FAVORITES ? Arrange(f.doc).favorites : Arrange(f.doc).saved;
    const QByteArray earlier = QString(code).replace(1, 1, 'A').toLatin1();
    list.AddTail(f.Record(earlier.constData()));
    f.InitialUpdate();

    list.AddTail(f.Record(code.toLatin1().constData()));
    f.doc.UpdateAllViews(addedHint);

    QTreeWidgetItem* node = FindItem(f.Tree(), std::vector<QString>(path.begin(), path.end()));
    QVERIFY(node);
    QCOMPARE(ChildTexts(f.Tree(), node), QStringList({QString::fromLatin1(earlier), code}));
    QCOMPARE(CPanelEx::RecordOf(LastChild(node)), list.GetAt(1).get());
    QCOMPARE(RecordCount(f.Tree()), 2);
    QVERIFY(node->isExpanded());
}

void RecordPanelsTest::removeTakesOutTheSelectedOfTwoEqualCodes_data()
{
    QTest::addColumn<int>("panelCode");
    QTest::addColumn<bool>("byDeleteKey");
    QTest::addColumn<bool>("marksModified");
    QTest::newRow("favorites, Remove button") << PANEL_FAVORITES << false << false;
    QTest::newRow("favorites, Delete key") << PANEL_FAVORITES << true << false;
    QTest::newRow("saved, Remove button") << PANEL_SAVED << false << true;
    QTest::newRow("saved, Delete key") << PANEL_SAVED << true << true;
}

void RecordPanelsTest::removeTakesOutTheSelectedOfTwoEqualCodes()
{
    QFETCH(int, panelCode);
    QFETCH(bool, byDeleteKey);
    QFETCH(bool, marksModified);
    PanelFixture f(panelCode);
    AttractorList& list = panelCode == PANEL_FAVORITES ? Arrange(f.doc).favorites : Arrange(f.doc).saved;
    const AttractorRef first = f.Record(HENON);
    const AttractorRef other = f.Record(CASE_E_OTHER);
    const AttractorRef second = f.Record(HENON);
    list.AddTail(first);
    list.AddTail(other);
    list.AddTail(second);
    f.InitialUpdate();

    QTreeWidgetItem* secondItem = FindItem(f.Tree(), {"2D Attractors", "Case E"})->child(2);
    QCOMPARE(CPanelEx::RecordOf(secondItem), second.get());
    f.Tree().setCurrentItem(secondItem);
    if (byDeleteKey)
        QTest::keyClick(&f.Tree(), Qt::Key_Delete);
    else
        ClickButton(*f.panel, panelCode == PANEL_FAVORITES ? cmd::ID_REMOVE_FAVORITE : cmd::ID_REMOVE_SAVED);

    QCOMPARE(list.Count(), 2);
    QVERIFY(list.GetAt(0) == first);
    QVERIFY(list.GetAt(1) == other);
    QTreeWidgetItem* caseE = FindItem(f.Tree(), {"2D Attractors", "Case E"});
    QCOMPARE(caseE->childCount(), 2);
    QCOMPARE(CPanelEx::RecordOf(caseE->child(0)), first.get());
    QCOMPARE(CPanelEx::RecordOf(caseE->child(1)), other.get());
    QCOMPARE(f.doc.IsModified(), marksModified);
    QVERIFY(f.sent.empty()); // Remove is the panel's own command
}

void RecordPanelsTest::removeWithoutASelectedRecordChangesNothing()
{
    PanelFixture f(PANEL_SAVED);
    Arrange(f.doc).saved.AddTail(f.Record(HENON));
    f.InitialUpdate();
    f.Tree().setCurrentItem(FindItem(f.Tree(), {"2D Attractors", "Case E"}));

    QTest::keyClick(&f.Tree(), Qt::Key_Delete);
    ClickButton(*f.panel, cmd::ID_REMOVE_SAVED);

    QCOMPARE(f.doc.saved().Count(), 1);
    QCOMPARE(RecordCount(f.Tree()), 1);
    QVERIFY(!f.doc.IsModified());
}

void RecordPanelsTest::itemOutlivesAListThatDroppedItsRecord()
{
    PanelFixture f(PANEL_SAVED);
    Arrange(f.doc).saved.AddTail(f.Record(HENON));
    Arrange(f.doc).saved.AddTail(f.Record(CASE_E_OTHER));
    f.InitialUpdate();
    Arrange(f.doc).saved.RemoveAll(); // a direct change that sends no hint

    QTreeWidgetItem* caseE = FindItem(f.Tree(), {"2D Attractors", "Case E"});
    DoubleClick(f.Tree(), caseE->child(1));
    QVERIFY(f.doc.current());
    QCOMPARE(f.doc.current()->code, std::string(CASE_E_OTHER));

    // Removing a record the list no longer holds changes nothing.
    f.Tree().setCurrentItem(caseE->child(0));
    QTest::keyClick(&f.Tree(), Qt::Key_Delete);
    QVERIFY(!f.doc.IsModified());
}

void RecordPanelsTest::recordWithoutCodeGetsNoItem()
{
    PanelFixture f(PANEL_SAVED);
    Arrange(f.doc).saved.AddTail(f.Record(HENON));
    Arrange(f.doc).saved.AddTail(Attractor::CreateEmpty(f.doc.defaults()));
    f.InitialUpdate();
    QCOMPARE(RecordCount(f.Tree()), 1);

    Arrange(f.doc).saved.AddTail(Attractor::CreateEmpty(f.doc.defaults()));
    f.doc.UpdateAllViews(UH_SAVED_ADDED);
    QCOMPARE(RecordCount(f.Tree()), 1);
}

void RecordPanelsTest::redrawHintLeavesTheTreeAlone()
{
    PanelFixture f(PANEL_FAVORITES);
    Arrange(f.doc).favorites.AddTail(f.Record(HENON));
    f.InitialUpdate();
    Arrange(f.doc).favorites.AddTail(f.Record(CASE_E_OTHER));

    for (const int hint : {UH_REDRAW, UH_SAVED_ADDED, UH_HISTORY_ADDED, UH_HISTORY_RELOADED})
        f.doc.UpdateAllViews(hint);
    QCOMPARE(RecordCount(f.Tree()), 1);
}

void RecordPanelsTest::thumbnailImageMatchesTheBytes()
{
    // Every pixel different in each channel, so a flipped row order or swapped channels show.
    Thumbnail bytes{};
    for (int row = 0; row < THUMBNAIL_SIZE; ++row) {
        for (int x = 0; x < THUMBNAIL_SIZE; ++x) {
            std::uint8_t* pixel = bytes.data() + (row * THUMBNAIL_SIZE + x) * 3;
            pixel[0] = static_cast<std::uint8_t>(x * 8);       // blue
            pixel[1] = static_cast<std::uint8_t>(row * 8);     // green
            pixel[2] = static_cast<std::uint8_t>(255 - x * 4); // red
        }
    }
    const QImage image = ThumbnailImage(bytes);
    QCOMPARE(image.size(), QSize(32, 32));
    QCOMPARE(image.pixel(0, 0), qRgb(255, 31 * 8, 0)); // the top row is the last in memory
    QCOMPARE(image.pixel(31, 31), qRgb(255 - 31 * 4, 0, 31 * 8));
    QCOMPARE(image.pixel(5, 9), qRgb(255 - 5 * 4, (31 - 9) * 8, 5 * 8));
}

void RecordPanelsTest::itemIconIsTheRecordsThumbnail()
{
    PanelFixture f(PANEL_FAVORITES);
    const AttractorRef henon = f.Record(HENON);
    Arrange(f.doc).favorites.AddTail(henon);
    f.InitialUpdate();

    QTreeWidgetItem* item = FindItem(f.Tree(), {"2D Attractors", "Case E", HENON});
    QVERIFY(item);
    QCOMPARE(f.Tree().iconSize(), QSize(32, 32));
    for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Selected}) {
        const QImage shown = item->icon(0).pixmap(QSize(32, 32), mode).toImage();
        QCOMPARE(shown.size(), QSize(32, 32));
        int marked = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const std::uint8_t* bgr = henon->thumbnail.data() + ((31 - y) * 32 + x) * 3;
                QCOMPARE(shown.pixel(x, y), qRgb(bgr[2], bgr[1], bgr[0]));
                marked += bgr[0] != 255 || bgr[1] != 255 || bgr[2] != 255 ? 1 : 0;
            }
        }
        QVERIFY2(marked > 20, "the thumbnail shows the attractor's points");
    }
}

void RecordPanelsTest::buttonsSendTheirCommands_data()
{
    QTest::addColumn<int>("panelCode");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<int>>("commands");
    QTest::newRow("cases") << PANEL_CASES << "Attractors" << QStringList({"Prev", "Next"})
                           << QList<int>({cmd::ID_PREVIOUS, cmd::ID_NEXT});
    QTest::newRow("saved") << PANEL_SAVED << "Saved Attractors" << QStringList({"", "", "", "Add", "Remove"})
                           << QList<int>({cmd::ID_CLEAR_SAVED, cmd::ID_OPEN_SAVED, cmd::ID_FILE_SAVE,
                                          cmd::ID_ADD_TO_SAVED});
    QTest::newRow("favorites") << PANEL_FAVORITES << "Favorites" << QStringList({"Clear", "Add", "Remove"})
                               << QList<int>({cmd::ID_CLEAR_FAVORITES, cmd::ID_ADD_TO_FAVORITES});
    QTest::newRow("history") << PANEL_HISTORY << "History" << QStringList({"Clear", "Prev", "Next"})
                             << QList<int>({cmd::ID_CLEAR_HISTORY, cmd::ID_PREVIOUS, cmd::ID_NEXT});
}

void RecordPanelsTest::buttonsSendTheirCommands()
{
    QFETCH(int, panelCode);
    QFETCH(QString, caption);
    QFETCH(QStringList, texts);
    QFETCH(QList<int>, commands);
    PanelFixture f(panelCode);
    QCOMPARE(f.panel->Caption(), caption);
    QVERIFY(f.panel->findChild<QLabel*>() && f.panel->findChild<QLabel*>()->text() == caption);

    QStringList shownTexts;
    QList<int> ids;
    for (QAction* action : f.panel->Buttons()->actions()) {
        if (!action->isSeparator()) {
            shownTexts << action->text();
            ids << action->data().toInt();
        }
    }
    QCOMPARE(shownTexts, texts);
    if (panelCode == PANEL_SAVED) // buttons without a caption still say what they do
        QCOMPARE(f.panel->Buttons()->actions().first()->toolTip(), QStringLiteral("Clear Saved Attractors"));
    for (const int id : ids)
        ClickButton(*f.panel, id);
    QCOMPARE(QList<int>(f.sent.begin(), f.sent.end()), commands);
    QVERIFY(!CreatePanel(PANEL_NONE, f.doc, {}, nullptr));
}

void RecordPanelsTest::closeButtonReturnsToTheViewAlone()
{
    for (const int code : {PANEL_CASES, PANEL_SAVED, PANEL_FAVORITES, PANEL_HISTORY}) {
        PanelFixture f(code);
        QTest::mouseClick(f.panel->CloseButton(), Qt::LeftButton);
        QCOMPARE(f.sent, std::vector<int>({cmd::ID_PANEL_CLOSE}));
    }
}

void RecordPanelsTest::layoutKeepsTheBandsAndTheTree()
{
    PanelFixture f(PANEL_FAVORITES);
    for (const QSize size : {QSize(300, 400), QSize(180, 90)}) {
        f.panel->resize(size);
        QTRY_COMPARE(f.Tree().geometry(), QRect(0, 45, size.width(), size.height() - 45));
        const QLabel* title = f.panel->findChild<QLabel*>();
        QCOMPARE(title->geometry().left(), 0);
        QCOMPARE(title->geometry().right() + 1, size.width() - 22);
        QVERIFY(f.panel->CloseButton()->geometry().left() >= size.width() - 22);
        QVERIFY(f.panel->Buttons()->geometry().bottom() < 45);
    }
}

QTEST_MAIN(RecordPanelsTest)
#include "RecordPanelsTest.moc"
