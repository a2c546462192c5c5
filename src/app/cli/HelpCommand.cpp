#include "Subcommand.h"

#include <ostream>

namespace zephyra::cli {

namespace {
int RunHelp(const std::vector<std::string>& arguments, CommandIo& io)
{
    if (arguments.size() > 1)
        throw UsageError("too many arguments");
    if (arguments.size() == 1) {
        const Subcommand* command = FindSubcommand(arguments[0]);
        if (!command) {
            io.err << "zephyra help: unknown command '" << arguments[0] << "'\n";
            return EXIT_USAGE;
        }
        io.out << "usage: zephyra " << command->usage << "\n\n" << command->help;
        return EXIT_OK;
    }
    io.out << "zephyra: strange attractors on the command line\n\ncommands:\n";
    for (const Subcommand& c : Subcommands())
        io.out << "  zephyra " << c.usage << "\n";
    io.out << "\n'zephyra help COMMAND' describes one command.\n";
    return EXIT_OK;
}
} // namespace

Subcommand HelpCommand()
{
    return {"help", "help [COMMAND]", "Lists the commands, or describes one. Exits 0 for a known command.\n",
            RunHelp};
}

} // namespace zephyra::cli
