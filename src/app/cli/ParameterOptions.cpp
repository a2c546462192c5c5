#include "ParameterOptions.h"

#include "AtomicFile.h"
#include "AttractorText.h"
#include "CliSession.h"
#include "GridPictureBudget.h"
#include "PictureRecord.h"
#include "PngFile.h"
#include "PointMemory.h"

#include <ostream>

namespace zephyra::cli {

int ParsePlace(const ParsedArguments& parsed, const CommandOption& option, int coefficients)
{
    const std::optional<std::string> text = parsed.Value(option);
    if (!text)
        throw UsageError(std::string(option.names) + " I is required (a coefficient's place, 1 to " +
                         std::to_string(coefficients) + ")");
    const std::int32_t place = ParseCount(*text, option.names);
    if (place < 1 || place > coefficients)
        throw UsageError("bad place for " + std::string(option.names) + ": '" + *text + "' (1 to " +
                         std::to_string(coefficients) + ")");
    return place;
}

std::optional<Tile> ParseTileOption(const ParsedArguments& parsed)
{
    const std::optional<std::string> text = parsed.Value(TILE_OPTION);
    if (!text)
        return std::nullopt;
    const std::size_t slash = text->find('/');
    std::int32_t k = 0, n = 0;
    const auto bad = [&] {
        return UsageError("bad tile for --tile: '" + *text + "' (K/N with 1 <= K <= N)");
    };
    if (slash == std::string::npos)
        throw bad();
    try {
        k = ParseCount(text->substr(0, slash), "--tile");
        n = ParseCount(text->substr(slash + 1), "--tile");
    } catch (const UsageError&) {
        throw bad();
    }
    if (k < 1 || n < 1 || k > n)
        throw bad();
    Tile tile;
    tile.index = k;
    tile.count = n;
    return tile;
}

AttractorRef ParameterAttractor(const ParsedArguments& parsed, std::string_view command, CommandIo& io)
{
    parsed.ExpectPositional(1, "CODE");
    CliSession session(io, ReadComputeOptions(parsed));
    AttractorRef attractor = session.FromCode(parsed.Positional()[0]);
    if (!attractor->valid) {
        io.err << "zephyra " << command << ": bad code '" << parsed.Positional()[0] << "'\n";
        return {};
    }
    const std::string refusal = MapRefusal(ParameterSystem::Of(*attractor));
    if (!refusal.empty()) {
        io.err << "zephyra " << command << ": " << attractor->code << ": " << refusal << "\n";
        return {};
    }
    return attractor;
}

std::optional<MergedInput> ReadMergeInput(const ParsedArguments& parsed, std::string_view command,
                                          CommandIo& io)
{
    if (!OutputsWritable(parsed, command, io))
        return std::nullopt;
    if (parsed.Positional().empty())
        throw UsageError("--merge needs the tile files");
    std::vector<Tile> tiles;
    for (const std::string& path : parsed.Positional()) {
        std::optional<Tile> tile = ReadTile(path);
        if (!tile) {
            io.err << "zephyra " << command << ": " << path << ": not a tile\n";
            return std::nullopt;
        }
        tiles.push_back(std::move(*tile));
    }
    MergedInput input{MergeTiles(std::move(tiles)), {}, {}};
    if (!input.merged.error.empty()) {
        io.err << "zephyra " << command << ": " << input.merged.error << "\n";
        return std::nullopt;
    }
    const std::optional<std::string> record = ChunkText(input.merged.texts, ATTRACTOR_CHUNK_KEY);
    input.attractor = record ? AttractorFromElementText(*record, AttractorDefaults{}) : AttractorRef();
    if (!input.attractor) {
        io.err << "zephyra " << command << ": the tiles carry no attractor\n";
        return std::nullopt;
    }
    input.record = ChunkText(input.merged.texts, MAP_CHUNK_KEY).value_or("");
    return input;
}

bool OutputsWritable(const ParsedArguments& parsed, std::string_view command, CommandIo& io)
{
    const std::optional<std::string> output = parsed.Value(PARAMETER_OUTPUT_OPTION);
    if (!output)
        throw UsageError("-o FILE is required");
    for (const std::optional<std::string>& path : {output, parsed.Value(CSV_OPTION)}) {
        if (!path)
            continue;
        const std::string problem = WritableFileProblem(*path);
        if (!problem.empty()) {
            io.err << "zephyra " << command << ": " << problem << "\n";
            return false;
        }
    }
    return true;
}

bool CanCompute(const ParsedArguments& parsed, std::string_view command, int width, int height,
                std::uint64_t cellBytes, CommandIo& io)
{
    if (!OutputsWritable(parsed, command, io))
        return false;
    const std::string refusal =
        GridPictureRefusal(std::string(command), width, height, cellBytes, SystemAvailableMemory());
    if (!refusal.empty())
        io.err << "zephyra " << command << ": " << refusal << "\n";
    return refusal.empty();
}

namespace {
// Each writes its file or says why it could not; the exit code.
int WriteCsvFile(const std::string& path, const std::string& text, std::string_view command, CommandIo& io)
{
    const std::string problem = WriteFileSayingWhy(path, text);
    if (!problem.empty()) {
        io.err << "zephyra " << command << ": " << problem << "\n";
        return EXIT_FAILED;
    }
    return EXIT_OK;
}

// The PNG and the "Wrote" line.
int WritePicture(const std::string& path, const Picture& picture, const std::vector<PngText>& texts,
                 std::string_view command, CommandIo& io)
{
    const std::string bytes = EncodePng(picture, texts);
    const std::string problem = bytes.empty() ? "the PNG could not be encoded" : WritePngFile(path, bytes);
    if (!problem.empty()) {
        io.err << "zephyra " << command << ": " << problem << "\n";
        return EXIT_FAILED;
    }
    if (!io.quiet)
        io.err << "Wrote " << path << " (" << picture.Width() << "x" << picture.Height() << ")\n";
    return EXIT_OK;
}

int WriteTileFile(const std::string& path, const Tile& tile, std::string_view command, CommandIo& io)
{
    const std::string problem = WriteTile(path, tile);
    if (!problem.empty()) {
        io.err << "zephyra " << command << ": " << problem << "\n";
        return EXIT_FAILED;
    }
    if (!io.quiet)
        io.err << "Wrote " << path << " (tile " << tile.index << " of " << tile.count << ")\n";
    return EXIT_OK;
}
} // namespace

int WritePictureOutputs(const ParsedArguments& parsed, const Picture& picture,
                        const std::vector<PngText>& texts, const std::function<std::string()>& csv,
                        std::string_view command, CommandIo& io)
{
    if (const auto path = parsed.Value(CSV_OPTION))
        if (const int rc = WriteCsvFile(*path, csv(), command, io); rc != EXIT_OK)
            return rc;
    return WritePicture(*parsed.Value(PARAMETER_OUTPUT_OPTION), picture, texts, command, io);
}

int WriteTileOutputs(const ParsedArguments& parsed, Tile tile, std::vector<double> values,
                     std::vector<PngText> texts, const std::function<std::string()>& csv,
                     std::string_view command, CommandIo& io)
{
    if (const auto path = parsed.Value(CSV_OPTION))
        if (const int rc = WriteCsvFile(*path, csv(), command, io); rc != EXIT_OK)
            return rc;
    tile.texts = std::move(texts);
    tile.values = std::move(values);
    return WriteTileFile(*parsed.Value(PARAMETER_OUTPUT_OPTION), tile, command, io);
}

} // namespace zephyra::cli
