#pragma once
#include "Subcommand.h"

#include <optional>
#include <string>
#include <vector>

namespace zephyra::cli {

// A whole command line as read: the command (none when only top-level options were given), the
// options every command shares, and the command's own arguments.
struct ParsedCommandLine {
    const Subcommand* command = nullptr;
    bool help = false;    // -h, --help
    bool version = false; // --version, before any command
    bool quiet = false;   // -q, --quiet
    ParsedArguments arguments{{}, {}};
    // What is wrong with the line, when something is; `command` is set when it was recognised.
    std::optional<std::string> error;
};

// Reads `zephyra [-h|--version|-q] [COMMAND [OPTIONS] [ARGUMENTS] [--] [ARGUMENTS]]` with the
// options the commands declare: `--name value`, `--name=value`, `-o value`, `-ovalue`.
[[nodiscard]] ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

} // namespace zephyra::cli
