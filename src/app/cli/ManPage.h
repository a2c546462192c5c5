#pragma once
#include <iosfwd>
#include <string_view>

namespace zephyra::cli {

// The manual page zephyra(1) in roff, written from the table of subcommands: a section per
// command with every option it declares, so the page cannot miss one.
void WriteManPage(std::ostream& out, std::string_view version);

} // namespace zephyra::cli
