#include "CZephyraApp.h"
#include "Version.h"

#include "FileNames.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName("Kestrelmoor");
    QApplication::setApplicationName("Zephyra Explorer");
    QApplication::setApplicationVersion(zephyra::VERSION);

    // The arguments as given: QApplication::arguments() loses the bytes of a name that is not UTF-8.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << zephyra::FileNameFromBytes(argv[i]);
    zephyra::CZephyraApp app;
    if (!app.InitInstance(zephyra::ParseCommandLine(arguments)))
        return app.ExitInstance();
    QApplication::exec();
    return app.ExitInstance();
}
