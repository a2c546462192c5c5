#pragma once
#include "CZephyraDoc.h"
#include "CliArguments.h"
#include "CliHost.h"
#include "Subcommand.h"

#include <cstdint>
#include <limits>
#include <optional>

namespace zephyra::cli {

// Options shared by the commands that compute attractors.
struct ComputeOptions {
    std::optional<std::int32_t> points; // --points N
    std::optional<Point> start;         // --start x0,y0,z0,w0
    std::optional<std::uint64_t> seed;  // --seed S (else the time)
    bool json = false;                  // --json
};

inline constexpr OptionSpec POINTS_OPTION{"--points", "N", "number of points, at least 1 (default 50000)", 1,
                                          std::numeric_limits<std::int32_t>::max()};
inline constexpr OptionSpec START_OPTION{"--start", "P",
                                         "start point x0,y0,z0,w0 (default 0.05,0.05,0.05,0.05)"};
inline constexpr OptionSpec SEED_OPTION{
    "--seed", "S", "seed of the pair samples of the dimension estimate (default: the time)"};

[[nodiscard]] ComputeOptions ReadComputeOptions(const ParsedArguments& arguments);

// A headless document without configuration file, seeded and sized from the options.
class CliSession {
public:
    CliSession(CommandIo& io, const ComputeOptions& options);

    // Shows the attractor through SetAttractor with `flags`. True when it finished ("Done");
    // otherwise the reason (the message box, or the message pane) is on stderr.
    [[nodiscard]] bool Show(const AttractorRef& attractor, int flags, char letter = 0);
    // Whether the orbit Show computed stayed finite; if not, says on stderr that it escaped.
    [[nodiscard]] bool OrbitStaysBounded(const char* command, const Attractor& attractor) const;
    // An attractor of the code with the options' start point; check `valid` through Show.
    [[nodiscard]] AttractorRef FromCode(const std::string& code) const;

    // Status panes 1 to 4, one per line.
    void PrintStatusTexts(std::ostream& out) const;
    // One JSON object on one line: the attractor, its last measurements, the tries and time.
    void PrintJson(std::ostream& out, const Attractor& attractor) const;
    // The members of that object, without its braces, for commands that add their own.
    void WriteJsonMembers(std::ostream& out, const Attractor& attractor) const;

    CommandIo& io;
    CliHost host;
    CZephyraDoc document;

private:
    ComputeOptions options_;
    double seconds_ = 0.0;
};

} // namespace zephyra::cli
