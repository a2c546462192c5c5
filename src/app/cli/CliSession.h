#pragma once
#include "CZephyraDoc.h"
#include "CliArguments.h"
#include "CliHost.h"
#include "CoefficientOption.h"
#include "Subcommand.h"

#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>

namespace zephyra::cli {

// Options shared by the commands that compute attractors.
struct ComputeOptions {
    std::optional<std::int32_t> points; // --points N
    std::optional<Point> start;         // --start x0,y0,z0,w0
    std::optional<std::uint64_t> seed;  // --seed S (else the time)
    bool json = false;                  // --json
    CoefficientOptions coefficients;    // --coef I=V
};

inline constexpr CommandOption POINTS_OPTION{"--points", "N", "number of points, at least 1 (default 50000)",
                                             1, std::numeric_limits<std::int32_t>::max()};
inline constexpr CommandOption START_OPTION{"--start", "P",
                                            "start point x0,y0,z0,w0 (default 0.05,0.05,0.05,0.05)"};
inline constexpr CommandOption SEED_OPTION{
    "--seed", "S", "seed of the pair samples of the dimension estimate (default: the time)"};

[[nodiscard]] ComputeOptions ReadComputeOptions(const ParsedArguments& arguments);

// Empty when the document or configuration file at `path` can be read into the memory the machine
// or the memory cgroup can still give; else one line saying it cannot, said before reading rather
// than being killed half-way.
[[nodiscard]] std::string RecordFileMemoryRefusal(const std::filesystem::path& path);

// A headless document without configuration file, seeded and sized from the options.
class CliSession {
public:
    CliSession(CommandIo& io, const ComputeOptions& options);

    // Shows the attractor through SetAttractor with `flags`. True when it finished ("Done");
    // otherwise the reason (the message box, or the message pane) is on stderr.
    [[nodiscard]] bool Show(const AttractorRef& attractor, int flags, char letter = 0);
    // Whether the orbit Show computed stayed finite; if not, says on stderr that it escaped.
    [[nodiscard]] bool OrbitStaysBounded(const char* command, const Attractor& attractor) const;
    // The exit code after Show returned false: EXIT_INTERRUPTED when Ctrl+C stopped it.
    [[nodiscard]] int FailureCode() const;
    // An attractor of the code with the options' start point and coefficients; check `valid`
    // through Show, whose messages name the code. A --coef place beyond the code's M is a usage
    // error.
    [[nodiscard]] AttractorRef FromCode(const std::string& code);
    // The document's refusal of a code, on stderr as Show would give it.
    void RefuseCode(const std::string& code);

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
    // Message boxes name the command and `code`.
    void SetSubject(const std::string& code);

    ComputeOptions options_;
    double seconds_ = 0.0;
};

} // namespace zephyra::cli
