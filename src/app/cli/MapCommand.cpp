#include "CliHost.h"
#include "CliSession.h"
#include "CoefficientOption.h"
#include "CommandProgress.h"
#include "MapLegend.h"
#include "MapPicture.h"
#include "ParameterOptions.h"
#include "RenderOptions.h"
#include "StatusTexts.h"

#include <ostream>

namespace zephyra::cli {

namespace {
const MapOptionRow& Row(std::string_view option)
{
    return TableRow(MapOptionRows(), option);
}
constexpr CommandOption LEGEND_OPTION{"--legend", "", "add a colour bar with values under the map"};
constexpr std::uint64_t VALUE_BYTES = sizeof(double);

MapSettings ReadMapSettings(const ParsedArguments& parsed, const ParameterSystem& system)
{
    MapSettings m;
    const int coefficients = system.CoefficientsCount();
    const int x = ParsePlace(parsed, CommandOptionOf(Row("--x")), coefficients);
    const int y = ParsePlace(parsed, CommandOptionOf(Row("--y")), coefficients);
    if (x == y)
        throw UsageError("--x and --y name the same coefficient (" + std::to_string(x) + ")");
    m.x = DefaultAxis(system, x);
    m.y = DefaultAxis(system, y);
    ParseRange(parsed, Row("--x-range"), m);
    ParseRange(parsed, Row("--y-range"), m);
    if (const auto v = parsed.Value(CommandOptionOf(Row("--size"))))
        ParseSize(*v, LARGEST_PARAMETER_SIDE, m.width, m.height);
    ApplyCheckedOptions(parsed, MapOptionRows(), m);
    return m;
}

std::string CsvText(const std::vector<double>& values, const MapSettings& m, int top)
{
    std::string text;
    const int rows = static_cast<int>(values.size() / static_cast<std::size_t>(m.width));
    for (int r = 0; r < rows; ++r)
        for (int column = 0; column < m.width; ++column) {
            const double v = values[static_cast<std::size_t>(r) * m.width + column];
            text += ShortestText(m.ColumnValue(column)) + "," + ShortestText(m.RowValue(top + r)) + "," +
                    (IsEscape(v) ? std::string("escape") : ShortestText(v)) + "\n";
        }
    return text;
}

// The picture of a whole map and its CSV; the exit code.
int Finish(const ParsedArguments& parsed, const Attractor& attractor, const MapSettings& m,
           const std::vector<double>& values, const std::vector<PngText>& texts, CommandIo& io)
{
    const ParameterSystem system = ParameterSystem::Of(attractor);
    const MapMark mark{system.coefficients[static_cast<std::size_t>(m.x.place)],
                       system.coefficients[static_cast<std::size_t>(m.y.place)]};
    Picture picture = MapPicture(values, m, mark);
    if (parsed.Has(LEGEND_OPTION))
        picture = WithMapLegend(picture);
    return WritePictureOutputs(
        parsed, picture, texts, [&] { return CsvText(values, m, 0); }, "map", io);
}

int RunMap(const ParsedArguments& parsed, CommandIo& io)
{
    if (parsed.Has(MERGE_OPTION))
        return MergeTileFiles(parsed, "map", ReadMapRecordText, Finish, io);
    const AttractorRef attractor = ParameterAttractor(parsed, "map", io);
    if (!attractor)
        return EXIT_FAILED;
    const ParameterSystem system = ParameterSystem::Of(*attractor);
    const MapSettings m = ReadMapSettings(parsed, system);
    std::optional<Tile> tile = ParseTileOption(parsed);
    if (!CanCompute(parsed, "map", m.width, m.height, VALUE_BYTES, io))
        return EXIT_FAILED;
    const Band band = tile ? BandOf(tile->index, tile->count, m.height) : Band{0, m.height};
    std::vector<double> values;
    CliHost host(io.err);
    CommandProgress progress(host, io);
    if (!ComputeMapRows(system, m, band.first, band.count, values, progress.Token(), std::ref(progress))) {
        io.err << "zephyra map: " << TEXT_CANCELED << " (nothing written)\n";
        return EXIT_INTERRUPTED;
    }
    const std::vector<PngText> texts = ParameterTexts(*attractor, MapRecordText(m));
    if (!tile)
        return Finish(parsed, *attractor, m, values, texts, io);
    const auto csv = [&] { return CsvText(values, m, band.first); };
    return WriteTileOutputs(parsed, *tile, values, texts, csv, "map", io);
}
} // namespace

Subcommand MapCommand()
{
    return {"map",
            "map CODE --x I --y J [OPTIONS] -o map.png | map --merge TILE... -o map.png",
            "Draws the Lyapunov map of CODE over two of its coefficients: at each pixel the orbit runs in\n"
            "double from the start point, T transient steps, then N steps of the largest Lyapunov exponent\n"
            "l1 (bits a step) by the tangent method. Escape (the orbit leaves the range of single\n"
            "precision) is grey, l1 < 0 (fixed points, cycles) blue, l1 near 0 white, l1 > 0 warm; a cross\n"
            "marks the attractor of CODE. The PNG carries the attractor and the map's record.\n",
            // The steps before the transient that runs first: the record keeps them the other way round.
            {CommandOptionOf(Row("--x")), CommandOptionOf(Row("--y")), CommandOptionOf(Row("--x-range")),
             CommandOptionOf(Row("--y-range")), CommandOptionOf(Row("--size")),
             CommandOptionOf(Row("--steps")), CommandOptionOf(Row("--transient")), START_OPTION, COEF_OPTION,
             LEGEND_OPTION, CSV_OPTION, TILE_OPTION, MERGE_OPTION, PARAMETER_OUTPUT_OPTION},
            "CSV: one line a pixel, row after row from the top: the value of I, of J, and l1 or 'escape'.\n"
            "Tiles: `--tile K/N` computes the K-th of N bands of rows alone; `--merge` joins the N tiles\n"
            "into the very picture the whole map gives, so a batch scheduler can spread a large map:\n"
            "  parallel zephyra map CODE --x 3 --y 5 --tile {}/8 -o t{}.tile ::: $(seq 8)\n"
            "  zephyra map --merge t*.tile -o map.png\n",
            RunMap};
}

} // namespace zephyra::cli
