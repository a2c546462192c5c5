#include "CliHost.h"
#include "CliSession.h"
#include "CoefficientOption.h"
#include "CommandProgress.h"
#include "OrbitDiagram.h"
#include "ParameterOptions.h"
#include "RenderOptions.h"
#include "StatusTexts.h"

#include <ostream>

namespace zephyra::cli {

namespace {
const DiagramOptionRow& Row(std::string_view option)
{
    return TableRow(DiagramOptionRows(), option);
}
constexpr std::uint64_t COUNT_BYTES = sizeof(std::uint32_t);

DiagramSettings ReadDiagramSettings(const ParsedArguments& parsed, const ParameterSystem& system)
{
    DiagramSettings d;
    d.x = DefaultAxis(system, ParsePlace(parsed, CommandOptionOf(Row("--x")), system.CoefficientsCount()));
    ParseRange(parsed, Row("--range"), d);
    const DiagramOptionRow& coordinate = Row("--coordinate");
    if (const auto v = parsed.Value(CommandOptionOf(coordinate))) {
        DiagramSettings read = d;
        if (!coordinate.read(*v, read) || read.coordinate >= system.dimension) {
            std::string names;
            for (int k = 0; k < system.dimension; ++k)
                names += COORDINATE_CHOICES[static_cast<std::size_t>(k)].name;
            throw UsageError("bad coordinate for --coordinate: '" + *v + "' (" + names + " for this case)");
        }
        d = read;
    }
    if (const auto v = parsed.Value(CommandOptionOf(Row("--size"))))
        ParseSize(*v, LARGEST_PARAMETER_SIDE, d.width, d.height);
    ApplyCheckedOptions(parsed, DiagramOptionRows(), d);
    return d;
}

std::string CsvText(const std::vector<double>& counts, const DiagramSettings& d, int first)
{
    std::string text;
    const int columns = static_cast<int>(counts.size() / static_cast<std::size_t>(d.height));
    for (int c = 0; c < columns; ++c) {
        text += ShortestText(d.ColumnValue(first + c));
        for (int row = 0; row < d.height; ++row)
            text += "," + std::to_string(static_cast<std::uint32_t>(
                              counts[static_cast<std::size_t>(c) * d.height + row]));
        text += "\n";
    }
    return text;
}

int Finish(const ParsedArguments& parsed, const Attractor& attractor, const DiagramSettings& d,
           const std::vector<double>& values, const std::vector<PngText>& texts, CommandIo& io)
{
    const std::vector<std::uint32_t> counts(values.begin(), values.end());
    const Picture picture = DiagramPicture(counts, d, attractor.CoefficientOf(d.x.place));
    return WritePictureOutputs(
        parsed, picture, texts, [&] { return CsvText(values, d, 0); }, "diagram", io);
}

int RunDiagram(const ParsedArguments& parsed, CommandIo& io)
{
    if (parsed.Has(MERGE_OPTION))
        return MergeTileFiles(parsed, "diagram", ReadDiagramRecordText, Finish, io);
    const AttractorRef attractor = ParameterAttractor(parsed, "diagram", io);
    if (!attractor)
        return EXIT_FAILED;
    const ParameterSystem system = ParameterSystem::Of(*attractor);
    DiagramSettings d = ReadDiagramSettings(parsed, system);
    std::optional<Tile> tile = ParseTileOption(parsed);
    if (!CanCompute(parsed, "diagram", d.width, d.height, COUNT_BYTES + sizeof(double), io))
        return EXIT_FAILED;
    FitDiagramRange(system, d);
    const Band band = tile ? BandOf(tile->index, tile->count, d.width) : Band{0, d.width};
    std::vector<std::uint32_t> counts;
    CliHost host(io.err);
    CommandProgress progress(host, io);
    if (!ComputeDiagramColumns(system, d, band.first, band.count, counts, progress.Token(),
                               std::ref(progress))) {
        io.err << "zephyra diagram: " << TEXT_CANCELED << " (nothing written)\n";
        return EXIT_INTERRUPTED;
    }
    const std::vector<PngText> texts = ParameterTexts(*attractor, DiagramRecordText(d));
    std::vector<double> values(counts.begin(), counts.end());
    if (!tile)
        return Finish(parsed, *attractor, d, values, texts, io);
    const auto csv = [&] { return CsvText(values, d, band.first); };
    return WriteTileOutputs(parsed, *tile, values, texts, csv, "diagram", io);
}
} // namespace

Subcommand DiagramCommand()
{
    return {"diagram",
            "diagram CODE --x I [OPTIONS] -o d.png | diagram --merge TILE... -o d.png",
            "Draws the orbit (bifurcation) diagram of CODE over one coefficient: each column a value of I;\n"
            "after the transient, N points of the chosen coordinate are counted into the column's rows and\n"
            "drawn in log tone, so period doublings, windows and crises show. The values up the picture\n"
            "span what the orbits reach. The PNG carries the attractor and the diagram's record.\n",
            [] {
                std::vector<CommandOption> options = CommandOptionsOf(DiagramOptionRows());
                options.insert(options.end(), {START_OPTION, COEF_OPTION, CSV_OPTION, TILE_OPTION,
                                               MERGE_OPTION, PARAMETER_OUTPUT_OPTION});
                return options;
            }(),
            "CSV: one line a column: the value of I, then the column's counts from the top row down.\n"
            "Tiles: `--tile K/N` computes the K-th of N bands of columns; `--merge` joins them into the\n"
            "picture the whole diagram gives.\n",
            RunDiagram};
}

} // namespace zephyra::cli
