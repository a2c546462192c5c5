#include "Subcommand.h"

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
    const Subcommand* help = FindSubcommand("help");
    if (arguments.empty()) {
        CommandIo toErr{io.err, io.err};
        help->run({}, toErr);
        return EXIT_USAGE;
    }
    if (arguments[0] == "--help" || arguments[0] == "-h")
        return help->run({}, io);
    const Subcommand* command = FindSubcommand(arguments[0]);
    if (!command) {
        io.err << "zephyra: unknown command '" << arguments[0] << "' (see 'zephyra help')\n";
        return EXIT_USAGE;
    }
    try {
        return command->run(std::vector<std::string>(arguments.begin() + 1, arguments.end()), io);
    } catch (const UsageError& e) {
        io.err << "zephyra " << command->name << ": " << e.what() << "\nusage: zephyra " << command->usage
               << "\n";
        return EXIT_USAGE;
    }
}

} // namespace zephyra::cli
