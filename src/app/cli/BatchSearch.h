#pragma once
#include "FindSearch.h"
#include "Subcommand.h"

#include <vector>

namespace zephyra {
class RunServices;
}

namespace zephyra::cli {

struct BatchResult {
    std::vector<Find> finds; // in try order
    bool cancelled = false;  // Ctrl+C: the finds are those made until then
    bool outOfMemory = false;
    std::uint64_t tries = 0;
    double seconds = 0.0;
};

// Runs a FindSearch until its first `count` finds in try order are known, its tries run out, or
// the user presses Ctrl+C (`escape`). Shows the finds so far and the tries per second on stderr
// when stderr is a terminal.
[[nodiscard]] BatchResult RunBatch(const FindSearch::Settings& settings, FindSearch::MakeTry makeTry,
                                   std::size_t count, RunServices& escape, CommandIo& io);

} // namespace zephyra::cli
