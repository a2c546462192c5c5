#pragma once
#include "CliArguments.h"

#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zephyra::cli {

// Exit codes of the command-line program.
constexpr int EXIT_OK = 0;
constexpr int EXIT_FAILED = 1;        // the work failed: bad code, no memory, unwritable file
constexpr int EXIT_USAGE = 2;         // the command line itself is wrong
constexpr int EXIT_INTERRUPTED = 130; // stopped by Ctrl+C, as a shell reports a SIGINT

// A wrong command line: unknown option, missing or malformed value. Its text goes to stderr.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Data goes to `out`; progress, notes and errors to `err`.
struct CommandIo {
    std::ostream& out;
    std::ostream& err;
    bool errIsTerminal = false;    // long jobs draw a progress bar on err
    bool quiet = false;            // -q: no progress, no "Wrote" line
    std::string_view command = {}; // "compute": the messages of the document name it

    [[nodiscard]] bool ShowsProgress() const { return errIsTerminal && !quiet; }
};

// One subcommand of `zephyra`: its name, a one-line usage, what it does, its options (one line
// each; -h and -q are added to every command), notes printed after them, and the code.
struct Subcommand {
    std::string_view name;
    std::string_view usage;
    std::string_view about;
    std::vector<CommandOption> options;
    std::string_view notes;
    int (*run)(const ParsedArguments& arguments, CommandIo& io);
};

// Every subcommand, in the order `zephyra help` lists them (see Subcommands.def).
[[nodiscard]] const std::vector<Subcommand>& Subcommands();
[[nodiscard]] const Subcommand* FindSubcommand(std::string_view name);

// The help of one command: usage, what it does, the options in a table, the notes.
void PrintHelp(std::ostream& out, const Subcommand& command);
// The list of commands, the top-level options and the exit codes.
void PrintOverview(std::ostream& out);

// Runs a whole command line (without the program name); returns the exit code.
[[nodiscard]] int RunCommandLine(const std::vector<std::string>& arguments, CommandIo& io);

} // namespace zephyra::cli
