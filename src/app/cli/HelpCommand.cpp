#include "Subcommand.h"

#include <algorithm>
#include <ostream>

namespace zephyra::cli {

namespace {
// Option texts start in this column unless every name of the command is shorter.
constexpr std::size_t WIDEST_NAMES = 24;
// The help fits a terminal of 80 columns.
constexpr std::size_t HELP_WIDTH = 80;

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

// Each line of the text broken at spaces so that it ends by column HELP_WIDTH, for a text whose
// first line starts at column `indent`; every further line starts there too, a continued line
// where its own words did.
std::string Wrapped(std::string_view original, std::size_t indent)
{
    // A line break inside running text (between two lines that start in the first column) only
    // fitted a wider terminal: such lines flow into one.
    std::string flowing(original);
    for (std::size_t at = flowing.find('\n'); at != std::string::npos; at = flowing.find('\n', at + 1)) {
        const std::size_t lineStart = at == 0 ? 0 : flowing.rfind('\n', at - 1) + 1;
        if (at > lineStart && flowing[lineStart] != ' ' && at + 1 < flowing.size() &&
            flowing[at + 1] != ' ' && flowing[at + 1] != '\n')
            flowing[at] = ' ';
    }
    const std::string_view text = flowing;
    std::string out;
    for (std::size_t from = 0;;) {
        const std::size_t end = text.find('\n', from);
        std::string_view line = text.substr(from, end == std::string_view::npos ? end : end - from);
        if (from > 0 && !line.empty())
            out.append(indent, ' ');
        const std::size_t own = std::min(line.find_first_not_of(' '), line.size());
        out.append(own, ' ');
        line.remove_prefix(own);
        const std::size_t start = indent + own;
        std::size_t column = start;
        for (bool firstWord = true; !line.empty(); firstWord = false) {
            const std::string_view word = line.substr(0, line.find(' '));
            line.remove_prefix(std::min(line.size(), word.size() + 1));
            if (!firstWord && column + 1 + word.size() > HELP_WIDTH) {
                out += '\n' + std::string(start, ' ');
                column = start;
            } else if (!firstWord) {
                out += ' ';
                ++column;
            }
            out.append(word);
            column += word.size();
        }
        if (end == std::string_view::npos)
            return out;
        out += '\n';
        from = end + 1;
    }
}

void PrintOption(std::ostream& out, const CommandOption& o, std::size_t column)
{
    const std::string names = "  " + Names(o);
    out << names;
    if (names.size() + 1 > column)
        out << "\n" << std::string(column, ' ');
    else
        out << std::string(column - names.size(), ' ');
    out << Wrapped(o.help, column) << "\n";
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

    out << "usage: zephyra " << Wrapped(command.usage, 15) << "\n\n" << Wrapped(command.about, 0) << "\n";
    // The options every command has close the command's first group.
    bool sharedShown = false;
    for (const CommandOption& o : command.options) {
        if (o.IsHeading() && !sharedShown) {
            PrintOption(out, QUIET_OPTION, column);
            PrintOption(out, HELP_OPTION, column);
            sharedShown = true;
        }
        if (o.IsHeading())
            out << Wrapped(o.help, 0) << "\n";
        else
            PrintOption(out, o, column);
    }
    if (!sharedShown) {
        PrintOption(out, QUIET_OPTION, column);
        PrintOption(out, HELP_OPTION, column);
    }
    out << Wrapped(command.notes, 0);
}

void PrintOverview(std::ostream& out)
{
    out << "zephyra: strange attractors on the command line\n\n"
           "usage: zephyra [-h|--help] [--version] COMMAND [OPTIONS] [--] [ARGUMENTS]\n\ncommands:\n";
    for (const Subcommand& c : Subcommands())
        out << "  zephyra " << Wrapped(c.usage, 10) << "\n";
    out << "\n'zephyra help COMMAND' or 'zephyra COMMAND --help' describes one command.\n"
           "Options take their value as '--name VALUE' or '--name=VALUE'; after '--' every\n"
           "word is an argument. -q, --quiet drops the progress and the \"Wrote\" line.\n"
           "Data (CSV, JSON, the finds) goes to stdout; progress, notes and errors go to\n"
           "stderr.\n\n"
           "exit codes:\n"
           "  0    done\n"
           "  1    the work failed: a refused code, an unreadable or unwritable file, no\n"
           "       memory\n"
           "  2    the command line is wrong\n"
           "  130  stopped by Ctrl+C: a picture or animation is not written, a search keeps\n"
           "       its finds\n";
}

Subcommand HelpCommand()
{
    return {
        "help", "help [COMMAND]", "Lists the commands, or describes one. Exits 0 for a known command.\n", {},
        "",     RunHelp};
}

} // namespace zephyra::cli
