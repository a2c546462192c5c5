#pragma once
#include <QString>
#include <QStringList>

namespace zephyra {

// What the explorer was started with: a document to open, a document to print, a configuration.
struct CommandLine {
    QString open;   // a path given alone: that document is opened
    QString print;  // --print PATH: that document is printed and the program ends
    QString config; // --config PATH: the configuration file to use
    QString error;  // why the arguments were refused; empty when they were fine
    QString reply;  // what -h/--help or -v/--version ask for: printed, and the program ends
};

[[nodiscard]] CommandLine ParseCommandLine(const QStringList& arguments);

// The name of the program's .desktop file and icon, without extension.
inline constexpr const char* DESKTOP_ID = "org.kestrelmoor.ZephyraExplorer";

} // namespace zephyra
