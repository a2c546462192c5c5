#include "CZephyraApp.h"
#include "CommandLine.h"
#include "ProgramNames.h"
#include "Version.h"

#include "FileNames.h"
#include "NoDisplayGuard.h"

#include <QApplication>

#include <cstdio>
#include <memory>

namespace {
// The arguments as given: QApplication::arguments() loses the bytes of a name that is not UTF-8.
QStringList Arguments(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << zephyra::FileNameFromBytes(argv[i]);
    return arguments;
}
} // namespace

int main(int argc, char* argv[])
{
    // --help and --version are answered before the window system starts, so they work without a
    // display. Other errors wait until Qt has taken its own options (-platform...) out of argv.
    if (const QString reply = zephyra::ParseCommandLine(Arguments(argc, argv)).reply; !reply.isEmpty()) {
        std::fputs(qPrintable(reply), stdout);
        return 0;
    }
    auto guard = std::make_unique<zephyra::NoDisplayGuard>(Arguments(argc, argv));
    QApplication application(argc, argv);
    guard.reset();
    QApplication::setOrganizationName(zephyra::ORGANIZATION);
    QApplication::setApplicationName(zephyra::PROGRAM_TITLE);
    QApplication::setApplicationVersion(zephyra::VERSION);
    // Lets the desktop match the windows with the launcher and its icon.
    QGuiApplication::setDesktopFileName(zephyra::DESKTOP_ID);

    zephyra::CZephyraApp app;
    if (!app.InitInstance(zephyra::ParseCommandLine(Arguments(argc, argv))))
        return app.ExitInstance();
    QApplication::exec();
    return app.ExitInstance();
}
