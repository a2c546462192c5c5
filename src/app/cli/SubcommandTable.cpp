#include "CommandParser.h"
#include "StatusTexts.h"
#include "Version.h"

#include <new>
#include <ostream>

namespace zephyra::cli {

#define ZEPHYRA_SUBCOMMAND(name) Subcommand name##Command();
#include "Subcommands.def"
#undef ZEPHYRA_SUBCOMMAND

const std::vector<Subcommand>& Subcommands()
{
#define ZEPHYRA_SUBCOMMAND(name) name##Command(),
    static const std::vector<Subcommand> table = {
#include "Subcommands.def"
    };
#undef ZEPHYRA_SUBCOMMAND
    return table;
}

const Subcommand* FindSubcommand(std::string_view name)
{
    for (const Subcommand& c : Subcommands())
        if (c.name == name)
            return &c;
    return nullptr;
}

int RunCommandLine(const std::vector<std::string>& arguments, CommandIo& io)
{
    const ParsedCommandLine line = ParseCommandLine(arguments);
    const std::string prefix = line.command ? "zephyra " + std::string(line.command->name) : "zephyra";
    if (line.error) {
        io.err << prefix << ": " << *line.error << "\n";
        if (line.command)
            io.err << "usage: zephyra " << line.command->usage << "\n";
        return EXIT_USAGE;
    }
    if (line.version && !line.command) {
        io.out << "zephyra " << VERSION << "\n";
        return EXIT_OK;
    }
    if (!line.command) {
        // Without a command the overview is the answer to --help, and a usage error otherwise.
        PrintOverview(line.help ? io.out : io.err);
        return line.help ? EXIT_OK : EXIT_USAGE;
    }
    if (line.help) {
        PrintHelp(io.out, *line.command);
        return EXIT_OK;
    }
    CommandIo commandIo{io.out, io.err, io.errIsTerminal, io.quiet || line.quiet, line.command->name};
    try {
        return line.command->run(line.arguments, commandIo);
    } catch (const UsageError& e) {
        io.err << prefix << ": " << e.what() << "\nusage: zephyra " << line.command->usage << "\n";
        return EXIT_USAGE;
    } catch (const std::bad_alloc&) {
        // A file too large for the memory left, read by any command: nothing was written.
        io.err << prefix << ": " << TEXT_NO_MEMORY << "\n";
        return EXIT_FAILED;
    }
}

} // namespace zephyra::cli
