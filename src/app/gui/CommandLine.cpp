#include "CommandLine.h"

#include <QCommandLineParser>

namespace zephyra {

CommandLine ParseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription("Finds, shows and collects strange attractors.");
    const QCommandLineOption print("print", "Print the document PATH and end.", "PATH");
    const QCommandLineOption config("config", "Use the configuration file PATH.", "PATH");
    parser.addOption(print);
    parser.addOption(config);
    parser.addPositionalArgument("file", "A document (.zpr) to open.", "[file]");

    CommandLine line;
    if (!parser.parse(arguments)) {
        line.error = parser.errorText();
        return line;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        line.error = "Only one document can be opened at a time.";
    else if (!files.isEmpty())
        line.open = files.front();
    line.print = parser.value(print);
    line.config = parser.value(config);
    return line;
}

} // namespace zephyra
