#include "Subcommand.h"

#include <algorithm>
#include <ostream>

namespace zephyra::cli {

namespace {
// Option texts start in this column unless every name of the command is shorter.
constexpr std::size_t WIDEST_NAMES = 24;

constexpr CommandOption HELP_OPTION{"-h,--help", "", "this help"};
constexpr CommandOption QUIET_OPTION{"-q,--quiet", "", "no progress and no \"Wrote\" line on stderr"};

// "-o,--output" with its value as the help shows it: "-o, --output FILE".
std::string Names(const CommandOption& o)
{
    const std::size_t comma = o.names.find(',');
    std::string text = comma == std::string_view::npos ? std::string(o.names)
                                                       : std::string(o.names.substr(0, comma + 1)) + " " +
                                                             std::string(o.names.substr(comma + 1));
    return o.value.empty() ? text : text + " " + std::string(o.value);
}

void PrintOption(std::ostream& out, const CommandOption& o, std::size_t column)
{
    const std::string names = "  " + Names(o);
    out << names;
    if (names.size() + 1 > column)
        out << "\n" << std::string(column, ' ');
    else
        out << std::string(column - names.size(), ' ');
    for (const char c : o.help)
        out << c << (c == '\n' ? std::string(column, ' ') : "");
    out << "\n";
}

int RunHelp(const ParsedArguments& arguments, CommandIo& io)
{
    if (arguments.Positional().size() > 1)
        throw UsageError("too many arguments");
    if (arguments.Positional().empty()) {
        PrintOverview(io.out);
        return EXIT_OK;
    }
    const Subcommand* command = FindSubcommand(arguments.Positional()[0]);
    if (!command) {
        io.err << "zephyra help: unknown command '" << arguments.Positional()[0] << "'\n";
        return EXIT_USAGE;
    }
    PrintHelp(io.out, *command);
    return EXIT_OK;
}
} // namespace

void PrintHelp(std::ostream& out, const Subcommand& command)
{
    std::size_t column = 0;
    for (const CommandOption& o : command.options)
        if (!o.IsHeading() && Names(o).size() + 4 <= WIDEST_NAMES + 2)
            column = std::max(column, Names(o).size() + 4);
    column = std::max(column, Names(QUIET_OPTION).size() + 4);

    out << "usage: zephyra " << command.usage << "\n\n" << command.about << "\n";
    // The options every command has close the command's first group.
    bool sharedShown = false;
    for (const CommandOption& o : command.options) {
        if (o.IsHeading() && !sharedShown) {
            PrintOption(out, QUIET_OPTION, column);
            PrintOption(out, HELP_OPTION, column);
            sharedShown = true;
        }
        if (o.IsHeading())
            out << o.help << "\n";
        else
            PrintOption(out, o, column);
    }
    if (!sharedShown) {
        PrintOption(out, QUIET_OPTION, column);
        PrintOption(out, HELP_OPTION, column);
    }
    out << command.notes;
}

void PrintOverview(std::ostream& out)
{
    out << "zephyra: strange attractors on the command line\n\n"
           "usage: zephyra [-h|--help] [--version] COMMAND [OPTIONS] [--] [ARGUMENTS]\n\ncommands:\n";
    for (const Subcommand& c : Subcommands())
        out << "  zephyra " << c.usage << "\n";
    out << "\n'zephyra help COMMAND' or 'zephyra COMMAND --help' describes one command. Options take\n"
           "their value as '--name VALUE' or '--name=VALUE'; after '--' every word is an argument.\n"
           "-q, --quiet drops the progress and the \"Wrote\" line. Data (CSV, JSON, the finds) goes to\n"
           "stdout; progress, notes and errors go to stderr.\n\n"
           "exit codes:\n"
           "  0    done\n"
           "  1    the work failed: a refused code, an unreadable or unwritable file, no memory\n"
           "  2    the command line is wrong\n"
           "  130  stopped by Ctrl+C: a picture or animation is not written, a search keeps its finds\n";
}

Subcommand HelpCommand()
{
    return {
        "help", "help [COMMAND]", "Lists the commands, or describes one. Exits 0 for a known command.\n", {},
        "",     RunHelp};
}

} // namespace zephyra::cli
