#include "CliArguments.h"
#include "ConfigPath.h"
#include "RecordFile.h"
#include "Subcommand.h"
#include "XmlNumbers.h"

#include <ostream>

namespace zephyra::cli {

namespace {

constexpr OptionSpec CONFIG_OPTION{"config", true};

void PrintRecord(std::ostream& out, const ListedRecord& record)
{
    const Attractor& a = *record.attractor;
    out << record.list << ' ';
    if (a.valid)
        out << a.code;
    else
        out << "(refused \"" << a.refusedCode << "\")";
    out << " points=" << a.pointsCount << " fov=" << XmlFloatText(a.fov) << " zoom=" << XmlFloatText(a.zoom)
        << " yaw=" << XmlFloatText(a.yaw) << " pitch=" << XmlFloatText(a.pitch)
        << " tx=" << XmlFloatText(a.tx) << " ty=" << XmlFloatText(a.ty) << '\n';
}

int RunList(const std::vector<std::string>& arguments, CommandIo& io)
{
    const ParsedArguments parsed(arguments, {CONFIG_OPTION});
    if (parsed.Positional().size() > 1)
        throw UsageError("too many arguments");
    const std::optional<std::string> config = parsed.Value("config");
    const std::filesystem::path path =
        parsed.Positional().empty()
            ? WindowProgramConfigLocation(config ? std::optional<std::filesystem::path>(*config) : std::nullopt)
                  .ToRead()
            : std::filesystem::path(parsed.Positional()[0]);
    const auto records = ReadRecordFile(path, AttractorDefaults{});
    if (!records) {
        io.err << "zephyra list: " << path.string() << ": File not found.\n";
        return EXIT_FAILED;
    }
    for (const ListedRecord& record : *records)
        PrintRecord(io.out, record);
    return EXIT_OK;
}

} // namespace

Subcommand ListCommand()
{
    return {"list", "list [FILE] [--config PATH]",
            "Prints the attractor records of a \".zpr\" document or of a configuration file, one per\n"
            "line: the list (saved, favorites or history), the code, the point count and the camera.\n"
            "Without FILE it lists the configuration file the window program uses.\n"
            "  --config PATH  that configuration file instead\n"
            "A code the program refuses is shown as (refused \"TEXT\"). Exits 1 for an unreadable file.\n",
            RunList};
}

} // namespace zephyra::cli
