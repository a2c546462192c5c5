// The case panel: its fixed tree, activation searching a new attractor of the chosen case, and
// group nodes that only fold.
#include "CPanelSelect.h"
#include "CommandIds.h"
#include "PanelTestHost.h"

#include <QTest>

using namespace zephyra;
using namespace zephyra::testing;

namespace {

QList<QTreeWidgetItem*> CaseItems(QTreeWidget& tree)
{
    QList<QTreeWidgetItem*> items;
    for (QTreeWidgetItemIterator it(&tree); *it; ++it)
        if (CPanelSelect::LetterOf(*it) != '\0')
            items << *it;
    return items;
}

} // namespace

class CaseSelectPanelTest : public QObject {
    Q_OBJECT
private slots:
    void treeHoldsTheCasesInTheirGroups();
    void caseEIsSelectedAtCreation();
    void doubleClickOnAGroupOnlyFolds();
    void choosingACaseSearchesANewAttractorOfIt_data();
    void choosingACaseSearchesANewAttractorOfIt();
    void nextIsTheDocumentsCommand();
};

void CaseSelectPanelTest::treeHoldsTheCasesInTheirGroups()
{
    PanelFixture f(PANEL_CASES);
    QCOMPARE(ChildTexts(f.Tree(), nullptr),
             QStringList({"2D Attractors", "3D Attractors", "4D Attractors", "ODE Attractors", "Special"}));
    QCOMPARE(ChildTexts(f.Tree(), FindItem(f.Tree(), {"3D Attractors"})),
             QStringList({"Case I (D:3 O:2 M:30)", "Case J (D:3 O:3 M:60)", "Case K (D:3 O:4 M:105)",
                          "Case L (D:3 O:5 M:168)"}));
    QCOMPARE(ChildTexts(f.Tree(), FindItem(f.Tree(), {"ODE Attractors", "4D Attractors"})),
             QStringList({"Case U (D:4 O:2 M:60)", "Case V (D:4 O:3 M:140)", "Case W (D:4 O:4 M:280)",
                          "Case X (D:4 O:5 M:504)"}));
    QCOMPARE(ChildTexts(f.Tree(), FindItem(f.Tree(), {"Special"})),
             QStringList({"Case Y (D:4 M:10)", "Case Z (D:4 M:14)", "Case [ (D:4 M:14)", "Case \\ (D:4) M:18",
                          "Case ] (D:4 M:6)", "Case ^ (D:4 M:9)"}));

    const QList<QTreeWidgetItem*> cases = CaseItems(f.Tree());
    QCOMPARE(cases.size(), 26);
    for (int i = 0; i < cases.size(); ++i) {
        const char letter = static_cast<char>('E' + i);
        QCOMPARE(CPanelSelect::LetterOf(cases[i]), letter);
        QVERIFY(cases[i]->text(0).startsWith(QStringLiteral("Case %1 (").arg(QChar(letter))));
        QCOMPARE(cases[i]->childCount(), 0);
        for (QTreeWidgetItem* up = cases[i]->parent(); up; up = up->parent()) {
            QVERIFY(up->isExpanded());
            QCOMPARE(CPanelSelect::LetterOf(up), '\0');
        }
    }
}

void CaseSelectPanelTest::caseEIsSelectedAtCreation()
{
    PanelFixture f(PANEL_CASES);
    QTreeWidgetItem* current = f.Tree().currentItem();
    QVERIFY(current);
    QCOMPARE(current->text(0), QStringLiteral("Case E (D:2 O:2 M:12)"));
    QVERIFY(current->isSelected());
}

void CaseSelectPanelTest::doubleClickOnAGroupOnlyFolds()
{
    PanelFixture f(PANEL_CASES);
    QTreeWidgetItem* group = FindItem(f.Tree(), {"4D Attractors"});
    DoubleClick(f.Tree(), group);

    QVERIFY(!group->isExpanded());
    QVERIFY(!f.doc.current());
    QCOMPARE(f.doc.history().Count(), 0);
    QVERIFY(f.host.hints.empty());
    QCOMPARE(f.doc.caseLetter(), 'H');
}

void CaseSelectPanelTest::choosingACaseSearchesANewAttractorOfIt_data()
{
    QTest::addColumn<QStringList>("path");
    QTest::addColumn<bool>("byEnter");
    QTest::addColumn<char>("letter");
    QTest::newRow("Case E at once, Enter") << QStringList() << true << 'E';
    QTest::newRow("special case Y, double click")
        << QStringList({"Special", "Case Y (D:4 M:10)"}) << false << 'Y';
    QTest::newRow("special case ], Enter") << QStringList({"Special", "Case ] (D:4 M:6)"}) << true << ']';
}

void CaseSelectPanelTest::choosingACaseSearchesANewAttractorOfIt()
{
    QFETCH(QStringList, path);
    QFETCH(bool, byEnter);
    QFETCH(char, letter);
    PanelFixture f(PANEL_CASES);
    QTreeWidgetItem* item = path.isEmpty()
                                ? f.Tree().currentItem()
                                : FindItem(f.Tree(), std::vector<QString>(path.begin(), path.end()));
    QVERIFY(item);
    f.Tree().setCurrentItem(item);
    if (byEnter)
        QTest::keyClick(&f.Tree(), Qt::Key_Return);
    else
        DoubleClick(f.Tree(), item);

    QCOMPARE(f.doc.caseLetter(), letter);
    QVERIFY(f.doc.current());
    QCOMPARE(f.doc.current()->CaseLetter(), letter);
    QVERIFY(f.doc.current()->valid);
    QCOMPARE(f.doc.history().Count(), 1);
    QVERIFY(f.doc.history().GetAt(0) == f.doc.current());
    QVERIFY(f.sent.empty());
}

void CaseSelectPanelTest::nextIsTheDocumentsCommand()
{
    PanelFixture f(PANEL_CASES);
    QTreeWidgetItem* before = f.Tree().currentItem();
    ClickButton(*f.panel, cmd::ID_NEXT);
    ClickButton(*f.panel, cmd::ID_PREVIOUS);
    QCOMPARE(f.sent, std::vector<int>({cmd::ID_NEXT, cmd::ID_PREVIOUS}));
    QCOMPARE(f.Tree().currentItem(), before);
}

QTEST_MAIN(CaseSelectPanelTest)
#include "CaseSelectPanelTest.moc"
