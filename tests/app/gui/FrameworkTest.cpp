// The framework layer: the save question, the title, recent files, dropped files, start-up with a
// document, and the Help menu.
#include "ExplorerHarness.h"

#include "CPanelEx.h"
#include "CZephyraView.h"
#include "CodeBox.h"
#include "CommandIds.h"
#include "CommandTable.h"
#include "DocumentAccess.h"
#include "DocumentFile.h"
#include "FileNames.h"
#include "FrameLayouts.h"
#include "PanelCodes.h"

#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinterInfo>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QWindow>

#include <set>

#include <filesystem>

#include <sys/stat.h>

using namespace zephyra;
using namespace zephyra::testing;

namespace {

// A document of one saved attractor written through the document layer.
QString WriteDocument(Explorer& explorer, const QString& name)
{
    const QString path = SandboxFolder().filePath(name);
    CZephyraDoc& doc = explorer.Doc();
    Arrange(doc).saved.AddTail(doc.current()->Clone(doc.defaults()));
    const bool written = OnSaveDocument(doc, path.toStdString());
    Arrange(doc).saved.RemoveAll();
    return written ? path : QString();
}

QStringList FileMenuCaptions(CMainFrame& frame)
{
    QMenu* file = frame.findChild<QMenuBar*>()->actions().front()->menu();
    emit file->aboutToShow();
    QStringList captions;
    for (QAction* action : file->actions())
        if (action->isVisible())
            captions << action->text();
    return captions;
}

int RecordItems(QTreeWidget& tree)
{
    int count = 0;
    for (QTreeWidgetItemIterator it(&tree); *it; ++it)
        count += CPanelEx::RecordOf(*it) ? 1 : 0;
    return count;
}

} // namespace

class FrameworkTest : public ExplorerTest {
    Q_OBJECT

private slots:
    void addToSavedMakesNewAskFirst()
    {
        explorer->Frame().SendCommand(cmd::ID_ADD_TO_SAVED);
        QVERIFY(explorer->Doc().IsModified());
        // The title the desktop shows.
        QCOMPARE(explorer->Frame().windowHandle()->title(), QString("Untitled* - Zephyra Explorer"));
        BoxAnswerer answerer(QMessageBox::No);
        QTest::keyClick(&explorer->Frame(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(answerer.Count(), 1);
        QCOMPARE(answerer.Text(), QString("Save changes to Untitled?"));
        QCOMPARE(explorer->Doc().saved().Count(), 0);
        QVERIFY(!explorer->Doc().IsModified());
        QCOMPARE(explorer->Frame().windowHandle()->title(), QString("Untitled - Zephyra Explorer"));
    }

    void cancelKeepsTheSavedList()
    {
        explorer->Frame().SendCommand(cmd::ID_ADD_TO_SAVED);
        BoxAnswerer answerer(QMessageBox::Cancel);
        explorer->Frame().SendCommand(cmd::ID_CLEAR_SAVED);
        QCOMPARE(answerer.Count(), 1);
        QCOMPARE(explorer->Doc().saved().Count(), 1);
        QVERIFY(!explorer->Frame().close());
        QVERIFY(explorer->Frame().isVisible());
    }

    void addToFavoritesDoesNotAsk()
    {
        explorer->Frame().SendCommand(cmd::ID_ADD_TO_FAVORITES);
        QCOMPARE(explorer->Doc().favorites().Count(), 1);
        BoxAnswerer answerer(QMessageBox::No);
        QTest::keyClick(&explorer->Frame(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(answerer.Count(), 0);
        QCOMPARE(explorer->Doc().favorites().Count(), 1);
    }

    void sixDocumentsLeaveTheFourNewestInTheFileMenu()
    {
        QStringList paths;
        for (int i = 1; i <= 6; ++i)
            paths << WriteDocument(*explorer, QString("doc%1.zpr").arg(i));
        for (const QString& path : paths)
            QVERIFY(explorer->Framework().OpenPath(path));
        QCOMPARE(explorer->Frame().windowHandle()->title(), QString("doc6.zpr - Zephyra Explorer"));
        const QStringList recent = explorer->Framework().RecentFiles();
        QCOMPARE(recent, QStringList({paths[5], paths[4], paths[3], paths[2]}));
        const QStringList captions = FileMenuCaptions(explorer->Frame());
        QVERIFY(captions.contains("&1 " + paths[5]));
        QVERIFY(captions.contains("&4 " + paths[2]));
        QVERIFY(!captions.contains("Recent File"));
        QCOMPARE(explorer->Frame().CurrentPanel(), PANEL_SAVED);

        // The list survives a restart.
        explorer.reset();
        explorer = std::make_unique<Explorer>();
        QCOMPARE(explorer->Framework().RecentFiles(), recent);
    }

    void aDroppedFileIsOpened()
    {
        const QString path = WriteDocument(*explorer, "dropped.zpr");
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDropEvent drop(QPointF(200, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        // Straight to the window: the application delivers drops only while a real drag runs.
        static_cast<QObject&>(explorer->Frame()).event(&drop);
        QTRY_COMPARE(explorer->Frame().windowHandle()->title(), QString("dropped.zpr - Zephyra Explorer"));
        QCOMPARE(explorer->Doc().saved().Count(), 1);
    }

    // Unmended, Qt's decoding turned the byte 0xE9 into U+FFFD and every way said "File not found.".
    void aNameThatIsNotUtf8OpensFromTheCommandLineADialogAndADrop()
    {
        const QByteArray raw = QFile::encodeName(SandboxFolder().path()) + "/caf\xe9.zpr";
        CZephyraDoc& doc = explorer->Doc();
        Arrange(doc).saved.AddTail(doc.current()->Clone(doc.defaults()));
        QVERIFY(OnSaveDocument(doc, raw.toStdString()));
        const QString shownByQt = QFile::decodeName(raw); // as a file dialog returns it
        const QString fromArgv = FileNameFromBytes(raw.toStdString());
        for (const QString& path : {fromArgv, shownByQt}) {
            Arrange(doc).saved.RemoveAll();
            QVERIFY(explorer->Framework().OpenPath(path));
            QCOMPARE(doc.saved().Count(), 1);
        }
        Arrange(doc).saved.RemoveAll();
        QMimeData data;
        data.setUrls({QUrl::fromEncoded("file://" + raw.toPercentEncoding("/"))});
        QDropEvent drop(QPointF(200, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        static_cast<QObject&>(explorer->Frame()).event(&drop);
        QTRY_COMPARE(doc.saved().Count(), 1);
        std::filesystem::remove(raw.toStdString()); // QTemporaryDir, seeing it through Qt, could not
    }

    void startedWithADocumentOpensItAndStillShowsTheStartupAttractor()
    {
        const QString path = WriteDocument(*explorer, "startup.zpr");
        explorer.reset();
        explorer = std::make_unique<Explorer>(QStringList{path});
        QVERIFY(explorer->started);
        QCOMPARE(explorer->Doc().saved().Count(), 1);
        QCOMPARE(QString::fromStdString(explorer->Doc().current()->code), QString(CZephyraApp::StartupCode));
        QCOMPARE(explorer->Frame().CurrentPanel(), PANEL_SAVED);
    }

    // Unmended, both trees stayed empty until File > New sent the first "everything" update.
    void favoritesAndHistoryOfTheConfigurationAreListedAtStart()
    {
        explorer.reset();
        const QString config = SandboxFolder().filePath("lists.xml");
        QFile file(config);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(
            "<zephyra><favorites><attractor config='EWM?MPMMWMMMM'/><attractor config='EAGHNFODVNJCP'/>"
            "</favorites><history><attractor config='EAGHNFODVNJCP'/><attractor config='EWM?MPMMWMMMM'/>"
            "<attractor config='EAGHNFODVNJCP'/></history></zephyra>");
        file.close();
        CZephyraApp app;
        CommandLine line;
        line.config = config;
        QVERIFY(app.InitInstance(line));
        app.Frame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(app.Frame()));
        QTest::keyClick(app.Frame(), Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(app.Frame()->CurrentPanel(), PANEL_FAVORITES);
        QCOMPARE(RecordItems(*app.Frame()->Layouts().Panel(PANEL_FAVORITES)->Tree()), 2);
        QTest::keyClick(app.Frame(), Qt::Key_H, Qt::ControlModifier);
        // The three of the configuration below the start-up attractor.
        QCOMPARE(RecordItems(*app.Frame()->Layouts().Panel(PANEL_HISTORY)->Tree()), 4);
        app.ExitInstance();
        explorer = std::make_unique<Explorer>();
    }

    void aMissingDocumentOnTheCommandLineEndsTheStart()
    {
        explorer.reset();
        BoxAnswerer answerer(QMessageBox::Ok);
        explorer = std::make_unique<Explorer>(QStringList{SandboxFolder().filePath("missing.zpr")});
        QVERIFY(!explorer->started);
        QCOMPARE(answerer.Count(), 1);
        explorer.reset();
        explorer = std::make_unique<Explorer>();
    }

    void printSwitchPrintsTheDocumentAndEnds()
    {
        const QString path = WriteDocument(*explorer, "printed.zpr");
        explorer.reset();
        const QString pdf = SandboxFolder().filePath("printed.pdf");
        QFile::remove(pdf);
        CZephyraApp app;
        CommandLine line = ParseCommandLine({"zephyra-explorer", "--print", path});
        line.config = SandboxFolder().filePath("zephyra-explorer.xml");
        QVERIFY(!app.InitInstance(line));
        QVERIFY(!app.Frame()->isVisible());
        // The page took the view's proportions in the window, not those of a sliver.
        const CZephyraView& view = app.Frame()->ActiveView();
        QVERIFY2(view.width() > 600 && view.height() > 400,
                 qPrintable(QString("%1 x %2").arg(view.width()).arg(view.height())));
        if (QPrinterInfo::availablePrinters().isEmpty())
            QVERIFY(QFileInfo(pdf).size() > 1000);
        QCOMPARE(app.ExitInstance(), 0);
        explorer = std::make_unique<Explorer>();
    }

    // Unmended, the configuration written at the end replaced the FIFO with a file.
    void aConfigurationThatIsNoRegularFileEndsTheStart()
    {
        const QString fifo = SandboxFolder().filePath("pipe.xml");
        QVERIFY(mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        {
            CZephyraApp app;
            CommandLine line = ParseCommandLine({"zephyra-explorer", "--config", fifo});
            QVERIFY(!app.InitInstance(line));
            QCOMPARE(app.ExitInstance(), 2);
        }
        QVERIFY(std::filesystem::is_fifo(QFile::encodeName(fifo).toStdString()));
        QFile::remove(fifo);
    }

    void theAboutBoxNamesTheVersion()
    {
        QString title, text;
        const testing::ModalAnswerer answerer([&](QWidget* box) {
            title = box->windowTitle();
            for (QLabel* label : box->findChildren<QLabel*>())
                text += label->text();
            box->close();
        });
        explorer->Frame().SendCommand(cmd::ID_APP_ABOUT);
        QCOMPARE(answerer.Count(), 1);
        QCOMPARE(title, QString("About Zephyra Explorer"));
        QCOMPARE(text, QString("Zephyra Explorer Version 1.2"));
    }

    // F1 where the focus usually is, in the code box; the guide lists every key of the table.
    void f1OpensTheGuideOnceWithEveryShortcut()
    {
        CMainFrame& frame = explorer->Frame();
        QLineEdit* edit = frame.Codes().lineEdit();
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_F1);
        QDialog* guide = nullptr;
        QTRY_VERIFY((guide = frame.findChild<QDialog*>("helpGuide")) && guide->isVisible());
        const QString text = guide->findChild<QTextBrowser*>()->toPlainText();
        QVERIFY(text.contains("Attractor codes"));
        for (const Accelerator& accelerator : Accelerators())
            QVERIFY2(text.contains(QString::fromStdString(KeyText(accelerator))), accelerator.keys);
        QVERIFY(text.contains("Export Animation"));
        frame.activateWindow();
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_F1);
        QCOMPARE(frame.findChildren<QDialog*>("helpGuide").size(), 1);
        guide->close();
        QTRY_VERIFY(!frame.findChild<QDialog*>("helpGuide"));
    }

    // A row for each command of the accelerator table, from the Help menu.
    void keyboardShortcutsComeFromTheAcceleratorTable()
    {
        CMainFrame& frame = explorer->Frame();
        QMenu* help = frame.findChild<QMenuBar*>()->actions().back()->menu();
        emit help->aboutToShow();
        QStringList captions;
        for (QAction* action : help->actions())
            captions << action->text();
        QCOMPARE(captions, QStringList({"Zephyra Explorer &Help\tF1", "&Keyboard Shortcuts", "",
                                        "&About Zephyra Explorer..."}));
        help->actions()[1]->trigger();
        QDialog* window = nullptr;
        QTRY_VERIFY((window = frame.findChild<QDialog*>("keyboardShortcuts")) && window->isVisible());
        const QTextBrowser* page = window->findChild<QTextBrowser*>();
        std::set<int> commands;
        for (const Accelerator& accelerator : Accelerators())
            commands.insert(accelerator.id);
        // The heading row and a row per command.
        QCOMPARE(page->toHtml().count("<tr"), static_cast<int>(commands.size()) + 1);
        QVERIFY(page->toPlainText().contains("Ctrl+Shift+C"));
        window->close();
    }

    void copyAddAndFavoriteSayWhatTheyDid()
    {
        CMainFrame& frame = explorer->Frame();
        const QLabel* pane = frame.statusBar()->findChild<QLabel*>("statusPane0");
        QLineEdit* edit = frame.Codes().lineEdit();
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_COMPARE(pane->text(), QString("Picture copied"));
        QVERIFY(!QGuiApplication::clipboard()->image().isNull());
        frame.SendCommand(cmd::ID_ADD_TO_SAVED);
        QTRY_COMPARE(pane->text(), QString("Added to Saved"));
        QCOMPARE(explorer->Doc().saved().Count(), 1);
        frame.SendCommand(cmd::ID_ADD_TO_FAVORITES);
        QTRY_COMPARE(pane->text(), QString("Added to Favorites"));
    }
};

QTEST_MAIN(FrameworkTest)
#include "FrameworkTest.moc"
