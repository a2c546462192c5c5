#include "CZephyraApp.h"
#include "Version.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName("Kestrelmoor");
    QApplication::setApplicationName("Zephyra Explorer");
    QApplication::setApplicationVersion(zephyra::VERSION);

    zephyra::CZephyraApp app;
    if (!app.InitInstance(zephyra::ParseCommandLine(QApplication::arguments())))
        return app.ExitInstance();
    QApplication::exec();
    return app.ExitInstance();
}
