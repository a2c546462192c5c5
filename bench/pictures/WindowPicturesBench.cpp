// The window's pictures, timed: Export Picture of 1e8 points at 1920 x 1080 against the same
// picture from `zephyra render --density`; the first Density picture of a 1200 x 800 view after
// the toggle; and paint times of a drag and of repaints while the Density view refines.
// Usage: xvfb-run -a -s "-screen 0 1600x1000x24" build/bench/bench_window_pictures
#include "CMainFrame.h"
#include "CZephyraApp.h"
#include "CZephyraDoc.h"
#include "CZephyraView.h"
#include "CommandIds.h"
#include "DensityViewWorker.h"
#include "DocumentFramework.h"
#include "StatusPanes.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace zephyra;

namespace {

// Sleeps in the event loop between events, as the window's own loop does: a loop that spins would
// take a core from the workers it times. The tick wakes it for conditions no event announces.
void WaitUntil(const std::function<bool()>& done)
{
    QTimer tick;
    tick.start(5);
    while (!done())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void PrintTimes(const char* name, std::vector<double> ms)
{
    if (ms.empty()) {
        std::printf("%-44s none (the picture had finished refining)\n", name);
        return;
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-44s median %7.1f ms, fastest %7.1f ms, slowest %7.1f ms (%zu)\n", name, ms[ms.size() / 2],
                ms.front(), ms.back(), ms.size());
}

// The export's own time, from Enter in the dialog to "Picture written"; the time the dialog took
// to come up goes to `dialogMs`.
double ExportFromWindow(CMainFrame& frame, const QString& path, std::vector<double>& dialogMs)
{
    QSettings s("Kestrelmoor", "Zephyra Explorer");
    s.remove("ExportPicture"); // the defaults: 1e8 points, supersample 2, log, coordinate colours
    s.setValue("ExportPicture/size", 1);
    QElapsedTimer command, clock;
    QTimer::singleShot(0, [path, &command, &clock, &dialogMs] {
        dialogMs.push_back(command.nsecsElapsed() / 1e6);
        auto* file = qobject_cast<QLineEdit*>(QApplication::activeModalWidget()->focusWidget());
        file->setText(path);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        clock.start();
        QApplication::sendEvent(file, &enter);
    });
    command.start();
    frame.SendCommand(cmd::ID_EXPORT_PICTURE);
    WaitUntil([&] { return frame.Panes().Text(0).startsWith("Picture written"); });
    frame.Panes().SetText(0, "Ready");
    return clock.nsecsElapsed() / 1e6;
}

// A frame's time as the user sees it: the paint the change asked for, composed into the window,
// and llvmpipe's drawing finished (it draws when commands are flushed, not when they are given).
void AwaitPaint(CZephyraView& view, int paintsBefore)
{
    WaitUntil([&] { return view.PaintCount() > paintsBefore; });
    view.makeCurrent();
    view.context()->functions()->glFinish();
    view.doneCurrent();
}

double ExportFromCommandLine(const QString& code, const QString& path)
{
    QElapsedTimer clock;
    clock.start();
    QProcess::execute(QCoreApplication::applicationDirPath() + "/../src/app/zephyra",
                      {"render", code, "--density", "-o", path});
    return clock.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication qt(argc, argv);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    QTemporaryDir sandbox;
    qputenv("XDG_CONFIG_HOME", sandbox.path().toLocal8Bit());
    qputenv("HOME", sandbox.path().toLocal8Bit());
    CZephyraApp app;
    CommandLine line;
    line.config = sandbox.filePath("zephyra-explorer.xml");
    if (!app.InitInstance(line))
        return 1;
    CMainFrame& frame = *app.Frame();
    CZephyraView& view = frame.ActiveView();
    frame.resize(1200 + frame.width() - view.width(), 800 + frame.height() - view.height());
    WaitUntil([&] { return view.isVisible() && view.PaintCount() > 0; });
    const QString code = QString::fromStdString(app.Document()->current()->code);
    std::printf("attractor %s, view %dx%d\n", qPrintable(code), view.width(), view.height());

    std::vector<double> window, commandLine, dialog;
    for (int i = 0; i < 3; ++i) {
        window.push_back(ExportFromWindow(frame, sandbox.filePath("window.png"), dialog));
        commandLine.push_back(ExportFromCommandLine(code, sandbox.filePath("cli.png")));
    }
    PrintTimes("Export Picture dialog up", dialog);
    PrintTimes("export 1e8 points 1920x1080, window", window);
    PrintTimes("export 1e8 points 1920x1080, command line", commandLine);

    std::vector<double> first;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer clock;
        clock.start();
        frame.SendCommand(cmd::ID_VIEW_DENSITY);
        WaitUntil([&] { return view.Density().Refinements() >= 1; });
        first.push_back(clock.nsecsElapsed() / 1e6);
        // Paints while the picture refines: the density picture with box and cross.
        if (i == 0) {
            std::vector<double> paints;
            while (view.Density().Refining() && paints.size() < 40) {
                QElapsedTimer paint;
                paint.start();
                const int before = view.PaintCount();
                view.update();
                AwaitPaint(view, before);
                paints.push_back(paint.nsecsElapsed() / 1e6);
                QApplication::processEvents();
            }
            PrintTimes("repaint while refining", paints);
        }
        frame.SendCommand(cmd::ID_VIEW_DENSITY);
        WaitUntil([&] { return view.Density().Picture().isNull(); });
    }
    PrintTimes("first Density picture after the toggle", first);

    // A drag that starts while the picture refines: each mouse move and its paint.
    frame.SendCommand(cmd::ID_VIEW_DENSITY);
    WaitUntil([&] { return view.Density().Refinements() >= 1; });
    const QPointF centre = QRectF(view.rect()).center();
    QMouseEvent press(QEvent::MouseButtonPress, centre, view.mapToGlobal(centre), Qt::LeftButton,
                      Qt::LeftButton, {});
    QApplication::sendEvent(&view, &press);
    std::vector<double> drag;
    for (int i = 1; i <= 60; ++i) {
        const QPointF at = centre + QPointF(i * 3.0, i);
        QElapsedTimer clock;
        clock.start();
        QMouseEvent move(QEvent::MouseMove, at, view.mapToGlobal(at), Qt::NoButton, Qt::LeftButton, {});
        const int before = view.PaintCount();
        QApplication::sendEvent(&view, &move);
        AwaitPaint(view, before);
        drag.push_back(clock.nsecsElapsed() / 1e6);
    }
    QMouseEvent release(QEvent::MouseButtonRelease, centre, view.mapToGlobal(centre), Qt::LeftButton,
                        Qt::NoButton, {});
    QApplication::sendEvent(&view, &release);
    PrintTimes("drag frame (move + paint) during refinement", drag);
    return app.ExitInstance();
}
