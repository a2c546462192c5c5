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
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace zephyra;

namespace {

void WaitUntil(const std::function<bool()>& done)
{
    while (!done())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

void PrintTimes(const char* name, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%-44s median %7.1f ms, fastest %7.1f ms, slowest %7.1f ms (%zu)\n", name, ms[ms.size() / 2],
                ms.front(), ms.back(), ms.size());
}

double ExportFromWindow(CMainFrame& frame, const QString& path)
{
    QSettings s("Kestrelmoor", "Zephyra Explorer");
    s.remove("ExportPicture"); // the defaults: 1e8 points, supersample 2, log, coordinate colours
    s.setValue("ExportPicture/size", 1);
    QTimer::singleShot(0, [path] {
        auto* file = qobject_cast<QLineEdit*>(QApplication::activeModalWidget()->focusWidget());
        file->setText(path);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(file, &enter);
    });
    QElapsedTimer clock;
    clock.start();
    frame.SendCommand(cmd::ID_EXPORT_PICTURE);
    WaitUntil([&] { return frame.Panes().Text(0).startsWith("Picture written"); });
    frame.Panes().SetText(0, "Ready");
    return clock.nsecsElapsed() / 1e6;
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
    const QString code = QString::fromStdString(app.Document()->current->code);
    std::printf("attractor %s, view %dx%d\n", qPrintable(code), view.width(), view.height());

    std::vector<double> window, commandLine;
    for (int i = 0; i < 2; ++i) {
        window.push_back(ExportFromWindow(frame, sandbox.filePath("window.png")));
        commandLine.push_back(ExportFromCommandLine(code, sandbox.filePath("cli.png")));
    }
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
                view.repaint();
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
    WaitUntil([&] { return view.Density().Refinements() >= 2; });
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
        QApplication::sendEvent(&view, &move);
        view.repaint();
        drag.push_back(clock.nsecsElapsed() / 1e6);
    }
    QMouseEvent release(QEvent::MouseButtonRelease, centre, view.mapToGlobal(centre), Qt::LeftButton,
                        Qt::NoButton, {});
    QApplication::sendEvent(&view, &release);
    PrintTimes("drag frame (move + paint) during refinement", drag);
    return app.ExitInstance();
}
