// The main window as a person uses it: keys, menus, the code box, layouts and a cancelled search.
#include "ExplorerHarness.h"

#include "CZephyraView.h"
#include "CodeBox.h"
#include "CommandIds.h"
#include "FrameLayouts.h"
#include "StatusPanes.h"

#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

using namespace zephyra;
using namespace zephyra::test;

namespace {

QAction* MenuItem(QWidget& window, const QStringList& path)
{
    QList<QAction*> actions = window.findChild<QMenuBar*>()->actions();
    QAction* found = nullptr;
    for (const QString& caption : path) {
        found = nullptr;
        for (QAction* action : actions)
            if (action->text() == caption)
                found = action;
        if (!found)
            return nullptr;
        if (found->menu())
            actions = found->menu()->actions();
    }
    return found;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Explorer> explorer;

private slots:
    void initTestCase() { UseSandbox(); }
    void init()
    {
        explorer = std::make_unique<Explorer>();
        QVERIFY(explorer->started);
    }
    void cleanup() { explorer.reset(); }

    void startsWithTheStartupAttractorInHistory()
    {
        CZephyraDoc& doc = explorer->Doc();
        QVERIFY(doc.current);
        QCOMPARE(QString::fromStdString(doc.current->code), QString(CZephyraApp::StartupCode));
        QCOMPARE(doc.history.Count(), 1);
        QCOMPARE(explorer->Frame().Codes().currentText(), QString(CZephyraApp::StartupCode));
        QCOMPARE(explorer->Frame().Panes().Text(0), QString("Done"));
        QCOMPARE(explorer->Frame().windowTitle(), QString("Untitled - Zephyra Explorer"));
    }

    void nextAndPreviousBrowseHistory()
    {
        CZephyraDoc& doc = explorer->Doc();
        QTest::keyClick(&explorer->Frame(), Qt::Key_F10);
        QCOMPARE(doc.history.Count(), 2);
        QCOMPARE(doc.current->CaseLetter(), 'H');
        QVERIFY(doc.history.GetAt(0) == doc.current);
        const AttractorRef found = doc.current;

        QTest::keyClick(&explorer->Frame(), Qt::Key_F9);
        QCOMPARE(doc.historyPosition, 1);
        QCOMPARE(QString::fromStdString(doc.current->code), QString(CZephyraApp::StartupCode));
        QTest::keyClick(&explorer->Frame(), Qt::Key_F9); // the oldest: nothing happens
        QCOMPARE(doc.historyPosition, 1);
        QTest::keyClick(&explorer->Frame(), Qt::Key_F10);
        QCOMPARE(doc.historyPosition, 0);
        QVERIFY(doc.current == found);
        QCOMPARE(doc.history.Count(), 2);
    }

    void caseMenuChecksTheCaseAndNextSearchesIt()
    {
        CZephyraDoc& doc = explorer->Doc();
        // A fixed seed keeps the two case M searches short and the test's time steady.
        doc.random.Seed(6);
        QAction* caseM = MenuItem(explorer->Frame(), {"&Attractor", "New", "Case &M (D:4 O:2 M:60)"});
        QVERIFY(caseM);
        caseM->trigger();
        QCOMPARE(doc.caseLetter, 'M');
        QCOMPARE(doc.current->CaseLetter(), 'M');
        QVERIFY(caseM->isChecked());
        QVERIFY(!MenuItem(explorer->Frame(), {"&Attractor", "New", "Case &H (D:2 O:5 M:42)"})->isChecked());
        QTest::keyClick(&explorer->Frame(), Qt::Key_F10);
        QCOMPARE(doc.current->CaseLetter(), 'M');
    }

    void addAndRemovePointsKeepTheirArithmetic()
    {
        CZephyraDoc& doc = explorer->Doc();
        QCOMPARE(doc.current->pointsCount, 50000);
        QTest::keyClick(&explorer->Frame(), Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(doc.current->pointsCount, 60000);

        doc.current->pointsCount = 12000;
        QVERIFY(doc.ComputePoints(doc.current, true, false, nullptr));
        QCOMPARE(doc.buffer.count, 12000);
        QTest::keyClick(&explorer->Frame(), Qt::Key_Minus, Qt::KeypadModifier);
        QCOMPARE(doc.current->pointsCount, 10000);
    }

    void keypadPlusWinsOverTheCodeBox()
    {
        explorer->Frame().Codes().setFocus();
        const QString before = explorer->Frame().Codes().currentText();
        QTest::keyClick(explorer->Frame().Codes().lineEdit(), Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(explorer->Doc().current->pointsCount, 60000);
        QCOMPARE(explorer->Frame().Codes().currentText(), before);
    }

    void onlyAdaptiveDegradationLeavesTheViewAlone()
    {
        CZephyraView& view = explorer->Frame().ActiveView();
        const struct {
            int id;
            bool repaints;
        } flags[] = {{cmd::ID_VIEW_ADAPTIVE, false},
                     {cmd::ID_VIEW_BOX, true},
                     {cmd::ID_VIEW_CROSS, true},
                     {cmd::ID_VIEW_BLACK_WHITE, true},
                     {cmd::ID_VIEW_DEFAULT_COLORS, true}};
        for (const auto& flag : flags) {
            QTest::qWait(100);
            const int before = view.PaintCount();
            const bool wasChecked = explorer->Frame().CommandState(flag.id).value_or(false);
            explorer->Frame().SendCommand(flag.id);
            if (flag.repaints) {
                QTRY_VERIFY(view.PaintCount() > before);
            } else {
                QTest::qWait(300);
                QCOMPARE(view.PaintCount(), before);
            }
            QCOMPARE(explorer->Frame().CommandState(flag.id).value_or(false), !wasChecked);
        }
    }

    void enterInTheCodeBoxShowsTheCode()
    {
        QLineEdit* edit = explorer->Frame().Codes().lineEdit();
        edit->setFocus();
        edit->clear();
        QTest::keyClicks(edit, "FIRCDERRPVLUFVLIJLBQM");
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(QString::fromStdString(explorer->Doc().current->code), QString("FIRCDERRPVLUFVLIJLBQM"));
        QCOMPARE(explorer->Doc().history.Count(), 2);
        QCOMPARE(explorer->Frame().Codes().itemText(0), QString("FIRCDERRPVLUFVLIJLBQM"));
    }

    void anInvalidCodeIsReportedAndKept()
    {
        QLineEdit* edit = explorer->Frame().Codes().lineEdit();
        edit->setFocus();
        edit->clear();
        QTest::keyClicks(edit, "EW?");
        BoxAnswerer answerer(QMessageBox::Ok);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(answerer.Seen().count, 1);
        QCOMPARE(answerer.Seen().text, QString("Wrong attractor configuration!"));
        QCOMPARE(answerer.Seen().title, QString("Attractor"));
        QCOMPARE(edit->text(), QString("EW?"));
        QCOMPARE(QString::fromStdString(explorer->Doc().current->code), QString(CZephyraApp::StartupCode));
    }

    void panelTogglesSwapLayouts()
    {
        CMainFrame& frame = explorer->Frame();
        QCOMPARE(frame.CurrentPanel(), PANEL_NONE);
        QTest::keyClick(&frame, Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(frame.CurrentPanel(), PANEL_CASES);
        QVERIFY(frame.CommandState(cmd::ID_PANEL_CASES).value());
        QTest::keyClick(&frame, Qt::Key_H, Qt::ControlModifier);
        QCOMPARE(frame.CurrentPanel(), PANEL_HISTORY);
        QVERIFY(!frame.CommandState(cmd::ID_PANEL_CASES).value());
        QTest::keyClick(&frame, Qt::Key_H, Qt::ControlModifier);
        QCOMPARE(frame.CurrentPanel(), PANEL_NONE);
        frame.ShowPanel(PANEL_NONE);
        QCOMPARE(frame.CurrentPanel(), PANEL_NONE);
    }

    void barsToggleAndReportTheirState()
    {
        CMainFrame& frame = explorer->Frame();
        const struct {
            int id;
            QWidget* bar;
        } toggles[] = {{cmd::ID_VIEW_CONFIGURATION, &frame.ConfigurationToolbar()},
                       {cmd::ID_VIEW_TOOLBAR, &frame.MainToolbar()},
                       {cmd::ID_VIEW_STATUS_BAR, frame.statusBar()}};
        for (const auto& toggle : toggles) {
            QVERIFY(frame.CommandState(toggle.id).value());
            frame.SendCommand(toggle.id);
            QVERIFY(!toggle.bar->isVisible());
            QVERIFY(!frame.CommandState(toggle.id).value());
            frame.SendCommand(toggle.id);
            QVERIFY(toggle.bar->isVisible());
        }
    }

    void nextOffersTheCasesOnItsArrow()
    {
        QToolButton* next = nullptr;
        for (QAction* action : explorer->Frame().MainToolbar().actions())
            if (action->text() == "Next")
                next = qobject_cast<QToolButton*>(explorer->Frame().MainToolbar().widgetForAction(action));
        QVERIFY(next && next->menu());
        QCOMPARE(next->popupMode(), QToolButton::MenuButtonPopup);
        QCOMPARE(next->menu()->actions().front()->text(), QString("Case &E (D:2 O:2 M:12)"));
        QTest::mouseClick(next, Qt::LeftButton, {}, QPoint(10, next->height() / 2));
        QCOMPARE(explorer->Doc().history.Count(), 2);
    }

    void copyAndPasteReachTheCodeBoxFromTheView()
    {
        CMainFrame& frame = explorer->Frame();
        frame.ActiveView().setFocus();
        QLineEdit* edit = frame.Codes().lineEdit();
        edit->selectAll();
        QTest::keyClick(&frame.ActiveView(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString(CZephyraApp::StartupCode));
        QApplication::clipboard()->setText("EABC");
        edit->selectAll();
        QTest::keyClick(&frame.ActiveView(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit->text(), QString("EABC"));
        QTest::keyClick(&frame.ActiveView(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(edit->text(), QString(CZephyraApp::StartupCode));
    }

    void escapeCancelsALongSearch()
    {
        CZephyraDoc& doc = explorer->Doc();
        doc.defaults.defaultPointsCount = 10000000;
        QTimer::singleShot(200, [&] { QTest::keyClick(&explorer->Frame(), Qt::Key_Escape); });
        QElapsedTimer clock;
        clock.start();
        explorer->Frame().SendCommand(cmd::ID_NEXT);
        QVERIFY(clock.elapsed() < 5000);
        QCOMPARE(explorer->Frame().Panes().Text(0), QString("Canceled by user"));
        QCOMPARE(doc.history.Count(), 1);
    }

    void promptsOfMenuItemsGoToPaneZero()
    {
        QAction* next = MenuItem(explorer->Frame(), {"&Attractor", "Next\tF10"});
        QVERIFY(next);
        next->showStatusText(&explorer->Frame());
        QCOMPARE(explorer->Frame().Panes().Text(0), QString("Next"));
        QStatusTipEvent leave{QString()};
        QApplication::sendEvent(&explorer->Frame(), &leave);
        QCOMPARE(explorer->Frame().Panes().Text(0), QString("Ready"));
    }

    // Pictures of the window for a person to look at; written only when a folder is named.
    void screenshots()
    {
        const QString folder = qEnvironmentVariable("ZEPHYRA_SCREENSHOTS");
        if (folder.isEmpty())
            QSKIP("ZEPHYRA_SCREENSHOTS names no folder");
        CMainFrame& frame = explorer->Frame();
        const auto screen = [&](const QString& name) {
            QTest::qWait(300);
            QApplication::primaryScreen()->grabWindow(0).save(folder + "/" + name + ".png");
        };
        screen("start");
        QTest::keyClick(&frame, Qt::Key_F10);
        QTest::keyClick(&frame, Qt::Key_F10);
        QTest::keyClick(&frame, Qt::Key_H, Qt::ControlModifier);
        screen("history");
        QTest::keyClick(&frame, Qt::Key_T, Qt::ControlModifier);
        screen("cases");
        QTest::keyClick(&frame, Qt::Key_G, Qt::ControlModifier);
        QTRY_COMPARE_WITH_TIMEOUT(frame.findChild<QListWidget*>("galleryGrid")->count(), 12, 120000);
        screen("gallery");
        QMenu* view = MenuItem(frame, {"&View"})->menu();
        QTimer::singleShot(400, [&] {
            screen("view-menu");
            view->close();
        });
        view->exec(frame.mapToGlobal(QPoint(160, 20)));
        QTimer::singleShot(400, [&] {
            screen("context-menu");
            QApplication::activePopupWidget()->close();
        });
        emit frame.ActiveView().contextMenuRequested(frame.ActiveView().mapToGlobal(QPoint(300, 200)));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
