#include "AtomicFile.h"
#include "CliArguments.h"
#include "CliSession.h"
#include "ConfigPath.h"
#include "ExactCoefficientsText.h"
#include "ParameterRecord.h"
#include "PictureRecord.h"
#include "PngFile.h"
#include "RecordFile.h"
#include "Subcommand.h"
#include "XmlNumbers.h"

#include <filesystem>
#include <ostream>

namespace zephyra::cli {

namespace {

void PrintRecord(std::ostream& out, const ListedRecord& record)
{
    const Attractor& a = *record.attractor;
    out << record.list << ' ';
    if (a.valid) {
        out << a.code;
        if (const std::string exact = ExactCoefficientsText(a); !exact.empty())
            out << " exact=\"" << exact << '"';
    } else {
        out << "(refused \"" << a.refusedCode << "\")";
    }
    out << " points=" << a.pointsCount << " fov=" << XmlFloatText(a.fov) << " zoom=" << XmlFloatText(a.zoom)
        << " yaw=" << XmlFloatText(a.yaw) << " pitch=" << XmlFloatText(a.pitch)
        << " tx=" << XmlFloatText(a.tx) << " ty=" << XmlFloatText(a.ty);
    // The 4D turn as the record stores it: only where there is one.
    for (const auto& [name, angle] : {std::pair{" xw=", a.xw}, {" yw=", a.yw}, {" zw=", a.zw}})
        if (angle != 0.0f)
            out << name << XmlFloatText(angle);
    out << '\n';
}

int RunList(const ParsedArguments& parsed, CommandIo& io)
{
    if (parsed.Positional().size() > 1)
        throw UsageError("too many arguments");
    const std::optional<std::string> config = parsed.Value("config");
    const std::filesystem::path path =
        parsed.Positional().empty()
            ? WindowProgramConfigLocation(config ? std::optional<std::filesystem::path>(*config)
                                                 : std::nullopt)
                  .ToRead()
            : std::filesystem::path(parsed.Positional()[0]);
    if (const std::string problem = ReadableFileProblem(path); !problem.empty()) {
        io.err << "zephyra list: " << problem << "\n";
        return EXIT_FAILED;
    }
    if (IsPictureFile(path)) {
        const std::optional<StoredPicture> picture = ReadPictureRecord(path, AttractorDefaults{});
        if (!picture) {
            io.err << "zephyra list: " << path.string() << ": the picture carries no attractor\n";
            return EXIT_FAILED;
        }
        PrintRecord(io.out, {"picture", picture->attractor});
        if (picture->settings)
            io.out << "settings " << *picture->settings << '\n';
        // A map or diagram names itself: "map x=3 y=5 ..." or "diagram x=3 ...".
        if (const std::optional<DecodedPng> png = ReadPng(path, false))
            if (const std::optional<std::string> record = ChunkText(png->texts, MAP_CHUNK_KEY))
                io.out << *record << '\n';
        return EXIT_OK;
    }
    if (const std::string refusal = RecordFileMemoryRefusal(path); !refusal.empty()) {
        io.err << "zephyra list: " << refusal << "\n";
        return EXIT_FAILED;
    }
    const auto records = ReadRecordFile(path, AttractorDefaults{});
    if (!records) {
        io.err << "zephyra list: " << path.string() << ": not a well-formed document or configuration file\n";
        return EXIT_FAILED;
    }
    for (const ListedRecord& record : *records)
        PrintRecord(io.out, record);
    return EXIT_OK;
}

} // namespace

Subcommand ListCommand()
{
    return {"list",
            "list [FILE] [--config PATH]",
            "Prints the attractor records of a \".zpr\" document, of a configuration file or of a picture\n"
            "made by `zephyra render` or `zephyra animate` (PNG or WebP), one per line: the list (saved,\n"
            "favorites, history or picture), the code, the exact values of an attractor between the\n"
            "letters (exact=\"3:-1.37 5:0.3125\": place and value), the point count and the camera; for a\n"
            "picture also the settings it was rendered with; for a map or an orbit diagram its record.\n"
            "Without FILE it lists the configuration file the window program uses.\n",
            {{"--config", "PATH", "that configuration file instead"}},
            "A code the program refuses is shown as (refused \"TEXT\"). Exits 1 for an unreadable file.\n",
            RunList};
}

} // namespace zephyra::cli
