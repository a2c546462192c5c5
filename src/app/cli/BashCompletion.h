#pragma once
#include <iosfwd>

namespace zephyra::cli {

// The bash completion of `zephyra`, written from the table of subcommands: the commands, each
// command's options, file names after options whose value is a file or folder, the words of
// values such as 8|16, and the case letters for `search`.
void WriteBashCompletion(std::ostream& out);

} // namespace zephyra::cli
