#pragma once
#include "CliArguments.h"
#include "ParameterRecord.h"
#include "Picture.h"
#include "Subcommand.h"
#include "TableOptions.h"

#include <algorithm>
#include <functional>
#include <optional>
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

// Place I (1 to `coefficients`) given by the option; a usage error when missing or outside.
[[nodiscard]] int ParsePlace(const ParsedArguments& parsed, const CommandOption& option, int coefficients);

// Sets the range of a range row ("--x-range") from the option, when given; a usage error for a text
// that is no range.
template <typename Options>
void ParseRange(const ParsedArguments& parsed, const OptionRow<Options>& row, Options& options)
{
    const std::optional<std::string> text = parsed.Value(CommandOptionOf(row));
    if (!text)
        return;
    Options read = options;
    if (!row.read(*text, read))
        throw UsageError("bad range for " + row.option + ": '" + *text + "' (A..B)");
    if (!row.within(read))
        throw UsageError("bad range for " + row.option + ": '" + *text +
                         "' (empty or reversed: A must be below B)");
    options = read;
}

// K/N with 1 <= K <= N; nothing without --tile.
[[nodiscard]] std::optional<Tile> ParseTileOption(const ParsedArguments& parsed);
// The attractor of CODE with --start, or an empty handle after a message.
[[nodiscard]] AttractorRef ParameterAttractor(const ParsedArguments& parsed, std::string_view command,
                                              CommandIo& io);

// What the tiles given to --merge hold: their texts, values, the attractor of their record and
// the record of the map or diagram they are bands of. Nothing, after the message, when an output
// cannot be written or the tiles do not join.
struct MergedInput {
    MergedTiles merged;
    AttractorRef attractor;
    std::string record;
};
[[nodiscard]] std::optional<MergedInput> ReadMergeInput(const ParsedArguments& parsed,
                                                        std::string_view command, CommandIo& io);

// The largest coefficient place a picture's settings name.
[[nodiscard]] inline int LargestPlace(const MapSettings& m)
{
    return std::max(m.x.place, m.y.place);
}
[[nodiscard]] inline int LargestPlace(const DiagramSettings& d)
{
    return d.x.place;
}

// --merge: the picture (and CSV) that `finish` writes of the tiles given, when `read` takes their
// record, its places are coefficients of their attractor and their values fill it; the exit code.
template <typename Settings, typename Finish>
[[nodiscard]] int MergeTileFiles(const ParsedArguments& parsed, std::string_view command,
                                 std::optional<Settings> (*read)(std::string_view), Finish finish,
                                 CommandIo& io)
{
    const std::optional<MergedInput> input = ReadMergeInput(parsed, command, io);
    if (!input)
        return EXIT_FAILED;
    const std::optional<Settings> s = read(input->record);
    if (!s || LargestPlace(*s) > ParameterSystem::Of(*input->attractor).CoefficientsCount() ||
        input->merged.values.size() != static_cast<std::size_t>(s->width) * s->height) {
        io.err << "zephyra " << command << ": the tiles are not those of a " << command << "\n";
        return EXIT_FAILED;
    }
    return finish(parsed, *input->attractor, *s, input->merged.values, input->merged.texts, io);
}

// Refuses before any work an output the user cannot write; false after the message.
[[nodiscard]] bool OutputsWritable(const ParsedArguments& parsed, std::string_view command, CommandIo& io);
// Refuses before any work an output the user cannot write or a picture of width x height cells of
// `cellBytes` each that the memory cannot hold; false after the message.
[[nodiscard]] bool CanCompute(const ParsedArguments& parsed, std::string_view command, int width, int height,
                              std::uint64_t cellBytes, CommandIo& io);

// The outputs of a whole picture: the CSV lines of its values (when --csv asks; `csv` makes them)
// and the PNG with `texts`; the exit code.
[[nodiscard]] int WritePictureOutputs(const ParsedArguments& parsed, const Picture& picture,
                                      const std::vector<PngText>& texts,
                                      const std::function<std::string()>& csv, std::string_view command,
                                      CommandIo& io);
// The outputs of a band computed for --tile: the CSV lines of its values (when --csv asks; `csv`
// makes them) and the tile file with `texts`; the exit code.
[[nodiscard]] int WriteTileOutputs(const ParsedArguments& parsed, Tile tile, std::vector<double> values,
                                   std::vector<PngText> texts, const std::function<std::string()>& csv,
                                   std::string_view command, CommandIo& io);

} // namespace zephyra::cli
