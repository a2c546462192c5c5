#pragma once
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zephyra::cli {

// Exit codes of the command-line program.
constexpr int EXIT_OK = 0;
constexpr int EXIT_FAILED = 1; // the work failed: bad code, no memory, cancelled
constexpr int EXIT_USAGE = 2;  // the command line itself is wrong

// A wrong command line: unknown option, missing or malformed value. Its text goes to stderr.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct CommandIo {
    std::ostream& out;
    std::ostream& err;
    bool errIsTerminal = false; // long jobs draw a progress bar on err
};

// One subcommand of `zephyra`: its name, a one-line usage, a few lines of help, and the code.
struct Subcommand {
    std::string_view name;
    std::string_view usage;
    std::string_view help;
    int (*run)(const std::vector<std::string>& arguments, CommandIo& io);
};

// Every subcommand, in the order `zephyra help` lists them (see Subcommands.def).
[[nodiscard]] const std::vector<Subcommand>& Subcommands();
[[nodiscard]] const Subcommand* FindSubcommand(std::string_view name);

// Runs a whole command line (without the program name); returns the exit code.
[[nodiscard]] int RunCommandLine(const std::vector<std::string>& arguments, CommandIo& io);

} // namespace zephyra::cli
