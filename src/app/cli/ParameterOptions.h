#pragma once
#include "CliArguments.h"
#include "LyapunovMap.h"
#include "ParameterRecord.h"
#include "Picture.h"
#include "Subcommand.h"

#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace zephyra::cli {

// The options and steps that `zephyra map` and `zephyra diagram` share.
inline constexpr CommandOption TILE_OPTION{
    "--tile", "K/N", "compute only the K-th of N bands into a tile file (-o), for --merge"};
inline constexpr CommandOption MERGE_OPTION{"--merge", "",
                                            "join the tile files given in place of CODE into -o"};
inline constexpr CommandOption CSV_OPTION{"--csv", "FILE", "also write the values as CSV"};
inline constexpr CommandOption PARAMETER_OUTPUT_OPTION{"-o,--output", "FILE",
                                                       "the PNG (or with --tile the tile) to write"};
inline constexpr int LARGEST_PARAMETER_SIDE = 32768;
inline constexpr int MOST_STEPS = 100000000;

// Place I (1 to `coefficients`) given by the option; a usage error when missing or outside.
[[nodiscard]] int ParsePlace(const ParsedArguments& parsed, const CommandOption& option, int coefficients);
// "A..B" with A < B, both finite doubles (a map may zoom past float's grid); else a usage error.
[[nodiscard]] std::pair<double, double> ParseValueRange(const std::string& text, std::string_view option);
// The axis of `place`: the option's range, or the system's value +- 0.5.
[[nodiscard]] ParameterAxis ParseAxis(const ParsedArguments& parsed, int place, const CommandOption& range,
                                      const ParameterSystem& system);
// K/N with 1 <= K <= N; nothing without --tile.
[[nodiscard]] std::optional<Tile> ParseTileOption(const ParsedArguments& parsed);
// The attractor of CODE with --start, or an empty handle after a message.
[[nodiscard]] AttractorRef ParameterAttractor(const ParsedArguments& parsed, std::string_view command,
                                              CommandIo& io);

// What the tiles given to --merge hold: their texts, values and the attractor of their record.
struct MergedInput {
    MergedTiles merged;
    AttractorRef attractor;
};
[[nodiscard]] std::optional<MergedInput> ReadMergeInput(const ParsedArguments& parsed,
                                                        std::string_view command, CommandIo& io);

// Refuses before any work an output the user cannot write; false after the message.
[[nodiscard]] bool OutputsWritable(const ParsedArguments& parsed, std::string_view command, CommandIo& io);

// Stops at Ctrl+C between two progress reports and draws the bar on a terminal.
class ParameterProgress {
public:
    explicit ParameterProgress(CommandIo& io);
    ~ParameterProgress();
    void operator()(double fraction);
    [[nodiscard]] std::stop_token Token() const { return stop_.get_token(); }

private:
    struct State;
    std::unique_ptr<State> state_;
    std::stop_source stop_;
};

// Writes the PNG (or, for a tile, the tile) and the "Wrote" line; the exit code.
[[nodiscard]] int WritePicture(const std::string& path, const Picture& picture,
                               const std::vector<PngText>& texts, std::string_view command, CommandIo& io);
[[nodiscard]] int WriteTileFile(const std::string& path, const Tile& tile, std::string_view command,
                                CommandIo& io);
// The outputs of a band computed for --tile: the CSV lines of its values (when --csv asks; `csv`
// makes them) and the tile file with `texts`; the exit code.
[[nodiscard]] int WriteTileOutputs(const ParsedArguments& parsed, Tile tile, std::vector<double> values,
                                   std::vector<PngText> texts, const std::function<std::string()>& csv,
                                   std::string_view command, CommandIo& io);
[[nodiscard]] int WriteCsvFile(const std::string& path, const std::string& text, std::string_view command,
                               CommandIo& io);
// The shortest text that reads back to `value`.
[[nodiscard]] std::string ShortestText(double value);

} // namespace zephyra::cli
