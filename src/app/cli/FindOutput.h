#pragma once
#include "BatchSearch.h"
#include "DiscoveryOptions.h"

namespace zephyra::cli {

class CliSession;
struct ComputeOptions;

// Runs the tries of search or variants with the options (seed, workers, filter, count), prints the
// finds (the code and panes 1 to 4 of each, or one JSON object each with the fill), writes them as
// a document when asked, and tells why the batch ended early. Returns the exit code: failed when
// the batch was cancelled, ran out of memory, found too few or a file was not written.
[[nodiscard]] int RunAndReport(CliSession& session, const ComputeOptions& compute,
                               const DiscoveryOptions& options, std::uint64_t seed,
                               FindSearch::MakeTry makeTry);

} // namespace zephyra::cli
