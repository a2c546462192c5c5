// The command table and the menus built from it: captions, shortcuts, prompts and structure.
#include "CommandTable.h"
#include "CommandDispatcher.h"
#include "CommandIds.h"
#include "MenuModel.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QtTest>

#include <set>

using namespace zephyra;

namespace {

QStringList Captions(const QMenu& menu)
{
    QStringList captions;
    for (const QAction* action : menu.actions())
        captions << (action->isSeparator() ? QString("-") : action->text());
    return captions;
}

// Records the ids routed to it and claims the ids it is told to.
class RecordingTarget : public CommandTarget {
public:
    explicit RecordingTarget(std::set<int> takes) : takes_(std::move(takes)) {}
    bool OnCommand(int id) override
    {
        seen.push_back(id);
        return takes_.count(id) > 0;
    }
    std::optional<bool> CommandChecked(int id) const override
    {
        return reportsBox && id == cmd::ID_VIEW_BOX ? std::optional<bool>(boxOn) : std::nullopt;
    }
    std::vector<int> seen;
    bool boxOn = false;
    bool reportsBox = false;

private:
    std::set<int> takes_;
};

} // namespace

class CommandTableTest : public QObject {
    Q_OBJECT
private slots:
    void caseCaptionsFollowTheCaseTable()
    {
        QCOMPARE(QString::fromStdString(CaseCaption('E')), QString("Case &E (D:2 O:2 M:12)"));
        QCOMPARE(QString::fromStdString(CaseCaption('M')), QString("Case &M (D:4 O:2 M:60)"));
        QCOMPARE(QString::fromStdString(CaseCaption('P')), QString("Case &P (D:4 O:5 M:504)"));
        QCOMPARE(QString::fromStdString(CaseCaption('Y')), QString("Case &Y (D:4 M:10)"));
        QCOMPARE(QString::fromStdString(CaseCaption('[')), QString("Case [ (D:4 M:14)"));
        QCOMPARE(QString::fromStdString(CaseCaption('\\')), QString("Case \\ (D:4 M:18)"));
        QCOMPARE(QString::fromStdString(CaseCaption('^')), QString("Case ^ (D:4 M:9)"));
    }

    void promptsSplitIntoStatusTextAndToolTip()
    {
        const CommandInfo* next = FindCommand(cmd::ID_NEXT);
        QVERIFY(next);
        QCOMPARE(QString::fromStdString(StatusPrompt(*next)), QString("Next"));
        QCOMPARE(QString::fromStdString(ToolTip(*next)), QString("Next Attractor"));
        QCOMPARE(QString::fromStdString(MenuCaption(*next)), QString("Next\tF10"));
        const CommandInfo* panel = FindCommand(cmd::ID_PANEL_CASES);
        QVERIFY(StatusPrompt(*panel).empty() && ToolTip(*panel).empty());
    }

    void everyAcceleratorIsAKeyAndEveryKeyIsUnique()
    {
        std::set<QString> keys;
        for (const Accelerator& accelerator : Accelerators()) {
            const QKeySequence sequence(QString::fromLatin1(accelerator.keys));
            QVERIFY2(sequence.count() == 1, accelerator.keys);
            QVERIFY2(keys.insert(sequence.toString()).second, accelerator.keys);
        }
        QCOMPARE(QKeySequence("Num++")[0], QKeyCombination(Qt::KeypadModifier, Qt::Key_Plus));
    }

    void everyMenuItemHasACommandRow()
    {
        std::function<void(const MenuNode&)> check = [&](const MenuNode& node) {
            for (const MenuNode& child : node.children) {
                if (child.IsSubmenu())
                    check(child);
                else if (!child.IsSeparator())
                    QVERIFY2(FindCommand(child.id), qPrintable(QString::number(child.id)));
            }
        };
        for (const MenuNode& menu : MainMenu())
            check(menu);
        check(ContextMenu());
    }

    void theNewMenuGroupsTheCases()
    {
        CommandDispatcher dispatcher;
        std::unique_ptr<QMenu> menu(dispatcher.BuildMenu(CaseMenu(), nullptr));
        const QStringList captions = Captions(*menu);
        QCOMPARE(captions.size(), 12 + 3 + 2);
        QCOMPARE(captions[4], QString("-"));
        QCOMPARE(captions[9], QString("-"));
        QCOMPARE(captions[14], QString("-"));
        QCOMPARE(captions[15], QString("Ode"));
        QCOMPARE(captions[16], QString("Special"));
        QCOMPARE(Captions(*menu->actions()[15]->menu()).size(), 9);
        QCOMPARE(Captions(*menu->actions()[16]->menu()).last(), QString("Case ^ (D:4 M:9)"));
    }

    void theContextMenuHasItsItemsAndNoAntialiasing()
    {
        CommandDispatcher dispatcher;
        std::unique_ptr<QMenu> menu(dispatcher.BuildMenu(ContextMenu(), nullptr));
        const QStringList expected = {"New",
                                      "Next",
                                      "Previous",
                                      "-",
                                      "Add to Saved",
                                      "Add to Favorites",
                                      "-",
                                      "&Bounding Box\tCtrl+U",
                                      "&Cross\tCtrl+R",
                                      "Black and White",
                                      "Default Colors",
                                      "Adaptive Degradation",
                                      "-",
                                      "10 000 points",
                                      "100 000 points",
                                      "1 000 000 points",
                                      "-",
                                      "Add points\tNum +",
                                      "Remove points\tNum -",
                                      "-",
                                      "Settings"};
        QCOMPARE(Captions(*menu), expected);
    }

    void routingStopsAtTheFirstTakerAndChecksFollowTheHandlers()
    {
        RecordingTarget view({cmd::ID_ANTIALIAS}), document({cmd::ID_VIEW_BOX}), frame({});
        CommandDispatcher dispatcher;
        dispatcher.SetRoute({&view, &document, &frame});
        std::unique_ptr<QMenu> menu(dispatcher.BuildMenu(ContextMenu(), nullptr));
        QAction* box = menu->actions()[7];
        QVERIFY(dispatcher.Dispatch(cmd::ID_ANTIALIAS));
        QCOMPARE(document.seen.size(), 0u);
        document.reportsBox = document.boxOn = true;
        box->trigger();
        QCOMPARE(view.seen.back(), cmd::ID_VIEW_BOX);
        QCOMPARE(document.seen.back(), cmd::ID_VIEW_BOX);
        QCOMPARE(frame.seen.size(), 0u);
        QVERIFY(box->isCheckable() && box->isChecked());
        QVERIFY(!dispatcher.Dispatch(9999));
        QCOMPARE(frame.seen.back(), 9999);
    }
};

QTEST_MAIN(CommandTableTest)
#include "CommandTableTest.moc"
