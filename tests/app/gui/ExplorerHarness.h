#pragma once
// A started explorer for widget tests: the real application object with its window, a
// configuration and settings folder of its own.
#include "CMainFrame.h"
#include "CZephyraApp.h"
#include "CZephyraDoc.h"
#include "DocumentFramework.h"
#include "ModalAnswerer.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace zephyra::testing {

// Settings (recent files) and the configuration file go to a fresh folder per test program.
inline QTemporaryDir& SandboxFolder()
{
    static QTemporaryDir folder;
    return folder;
}

inline void UseSandbox()
{
    qputenv("XDG_CONFIG_HOME", SandboxFolder().path().toLocal8Bit());
    qputenv("HOME", SandboxFolder().path().toLocal8Bit());
}

// The menu bar's item at `path`, each caption as the menu shows it (with its & mark); null when
// there is none.
inline QAction* MenuItem(QWidget& window, const QStringList& path)
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

// Clicks through the menus to the item at `path` with the mouse, as a person would.
inline void ClickMenuItem(QWidget& window, const QStringList& path)
{
    QMenuBar* bar = window.findChild<QMenuBar*>();
    QMenu* menu = nullptr; // the menu open, none at first
    for (int depth = 1; depth <= path.size(); ++depth) {
        QAction* item = MenuItem(window, path.mid(0, depth));
        QVERIFY2(item, qPrintable(path.mid(0, depth).join(" > ")));
        if (menu)
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
        else
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(item).center());
        menu = item->menu();
        if (menu)
            QTRY_VERIFY(menu->isVisible());
    }
}

struct Explorer {
    std::unique_ptr<CZephyraApp> app = std::make_unique<CZephyraApp>();

    explicit Explorer(QStringList arguments = {})
    {
        CommandLine line;
        // Every explorer starts from no configuration, so History holds just the start-up attractor.
        line.config = SandboxFolder().filePath("zephyra-explorer.xml");
        QFile::remove(line.config);
        if (!arguments.isEmpty())
            line.open = arguments.front();
        started = app->InitInstance(line);
        if (started) {
            startGeometry = Frame().geometry();
            Frame().resize(1280, 800);
            QVERIFY(QTest::qWaitForWindowExposed(&Frame()));
            // Accelerators reach only the active window.
            Frame().activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&Frame()));
        }
    }
    CMainFrame& Frame() const { return *app->Frame(); }
    CZephyraDoc& Doc() const { return *app->Document(); }
    DocumentFramework& Framework() const { return *app->Framework(); }
    bool started = false;
    // Where the start put the window, before the tests gave it their own size.
    QRect startGeometry;
};

// The base of the window tests: every test function gets a started explorer of its own.
class ExplorerTest : public QObject {
    Q_OBJECT
protected:
    // What a test class clears before each start: remembered choices, its output folder.
    virtual void BeforeStart() {}

    std::unique_ptr<Explorer> explorer;

private slots:
    void initTestCase() { UseSandbox(); }
    void init()
    {
        BeforeStart();
        explorer = std::make_unique<Explorer>();
        QVERIFY(explorer->started);
    }
    void cleanup() { explorer.reset(); }
};

} // namespace zephyra::testing
