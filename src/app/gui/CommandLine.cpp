#include "CommandLine.h"

#include "Version.h"

#include <QCommandLineParser>

namespace zephyra {

namespace {
constexpr const char* USAGE = "Usage: zephyra-explorer [options] [file]";
} // namespace

CommandLine ParseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription("Finds, shows and collects strange attractors.\n"
                                     "The command-line tool is `zephyra`; see `zephyra --help`.");
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
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
    if (parser.isSet(help) || parser.isSet("help-all")) {
        // Qt names the program only once an application object exists; this works before one.
        line.reply = QString(USAGE) + "\n" + parser.helpText().section('\n', 1);
        return line;
    }
    if (parser.isSet(version)) {
        line.reply = QString("zephyra-explorer %1\n").arg(VERSION);
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
