#include "ConfigFile.h"

#include "AttractorXml.h"
#include "CZephyraDoc.h"
#include "FavoritesMerge.h"
#include "FolderLock.h"
#include "XmlAttribute.h"
#include "XmlFile.h"
#include "XmlNumbers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <system_error>

namespace zephyra {

namespace {

constexpr const char* READ_FAILED =
    "Exception occurred in ReadCfg. It's probably because of incorrect version "
    "\t\t\tof MSXML library. Program will continue but you'll no be able to "
    "load or save any data.";
constexpr const char* WRITE_FAILED = "Exception occurred in WriteCfg";
constexpr const char* ERROR_TITLE = "Error";

// The settings attributes after "prefix", in the order they are written, and the three display
// blocks; one list serves reading and writing.
template <typename Doc, typename Visitor> void VisitSettings(Doc& doc, Visitor&& visitor)
{
    visitor.Integer("pointsCount", doc.defaults.defaultPointsCount);
    visitor.Integer("antialias", doc.antialias);
    visitor.Flag("viewCross", doc.viewCross);
    visitor.Flag("viewBox", doc.viewBox);
    visitor.Flag("viewBlackWhite", doc.viewBlackWhite);
    visitor.Flag("viewDefaultColors", doc.viewDefaultColors);
    visitor.Flag("viewAdaptive", doc.viewAdaptive);
    visitor.Integer("historyLimit", doc.historyLimit);
    // Last, so that readers that do not know it skip it.
    visitor.Flag("viewDensity", doc.viewDensity);
    visitor.Integer("pointsOnCpu", doc.pointsOnCpu);
    visitor.Flag("viewShade", doc.viewShade);
    visitor.Display("defaults2D", doc.defaults.defaults2D);
    visitor.Display("defaults3D", doc.defaults.defaults3D);
    visitor.Display("defaults4D", doc.defaults.defaults4D);
}

struct SettingsReader {
    pugi::xml_node settings;

    void Integer(const char* name, std::int32_t& field)
    {
        IfAttributePresent(settings, name, [&](std::string_view text) { field = ReadXmlInt(text); });
    }
    void Flag(const char* name, bool& flag)
    {
        IfAttributePresent(settings, name, [&](std::string_view text) { flag = ReadXmlInt(text) == 1; });
    }
    // Later blocks of the same name override earlier ones attribute by attribute.
    void Display(const char* name, DisplaySettings& display)
    {
        for (const pugi::xml_node block : settings.children(name))
            LoadDisplay(display, block);
        // A start point that is no finite number starts no orbit: the built-in one, as other bad
        // values of the settings take theirs.
        const DisplaySettings builtIn;
        for (auto field :
             {&DisplaySettings::x0, &DisplaySettings::y0, &DisplaySettings::z0, &DisplaySettings::w0})
            if (!std::isfinite(display.*field))
                display.*field = builtIn.*field;
    }
};

struct SettingsWriter {
    pugi::xml_node settings;

    void Integer(const char* name, std::int32_t value) { SetAttribute(settings, name, XmlIntText(value)); }
    void Flag(const char* name, bool flag) { Integer(name, flag ? 1 : 0); }
    void Display(const char* name, const DisplaySettings& display)
    {
        SaveDisplay(display, settings.append_child(name));
    }
};

void ReadSettings(CZephyraDoc& doc, pugi::xml_node settings)
{
    IfAttributePresent(settings, "prefix", [&](std::string_view text) {
        // An empty prefix keeps the case letter: there is no first character to take.
        if (!text.empty())
            doc.caseLetter = text[0];
    });
    VisitSettings(doc, SettingsReader{settings});
    // Every record read after this starts with the count: a negative one reads as 0, as in a record.
    doc.defaults.defaultPointsCount = std::max(0, doc.defaults.defaultPointsCount);
}

void WriteSettings(const CZephyraDoc& doc, pugi::xml_node settings)
{
    SetAttribute(settings, "prefix", std::string(1, doc.caseLetter));
    VisitSettings(doc, SettingsWriter{settings});
}

// A file that is there but not well-formed holds what the user made (Favorites, by hand or by an
// older program): it is set aside rather than overwritten.
void KeepAside(const std::filesystem::path& path)
{
    std::filesystem::path kept = path;
    kept += ".bad";
    std::error_code error;
    std::filesystem::rename(path, kept, error);
    if (!error)
        std::fprintf(stderr, "zephyra-explorer: %s is not well-formed; kept as %s\n", path.c_str(),
                     kept.c_str());
}

// `favoritesRead`, when given, receives the favourites as they stand in the file.
void ReadCfgNoting(CZephyraDoc& doc, const std::filesystem::path& path,
                   std::vector<std::string>* favoritesRead)
{
    try {
        pugi::xml_document document;
        if (!LoadXmlFile(document, path))
            return;
        // Elements are found by name wherever they stand; the root's name is not looked at.
        for (const pugi::xml_node settings : ElementsByName(document, "settings"))
            ReadSettings(doc, settings);
        for (const pugi::xml_node favorites : ElementsByName(document, "favorites")) {
            AttractorList records;
            LoadList(records, favorites, doc.defaults);
            doc.RestoreFavorites(records);
        }
        for (const pugi::xml_node history : ElementsByName(document, "history")) {
            AttractorList records;
            LoadList(records, history, doc.defaults);
            doc.RestoreHistory(records);
        }
        if (favoritesRead)
            *favoritesRead = PrintedFavorites(document, doc.defaults);
    } catch (const std::exception&) {
        doc.Host().MessageBox(READ_FAILED, ERROR_TITLE, MessageIcon::Error);
    }
}

// With `favoritesRead`, the favourites another program added to the file since they were read are
// kept after the document's own, and `favoritesRead` becomes the document's own as written.
void WriteCfgMerging(const CZephyraDoc& doc, const std::filesystem::path& path,
                     std::vector<std::string>* favoritesRead)
{
    std::string problem;
    try {
        pugi::xml_document document;
        pugi::xml_node root = StartXmlDocument(document, "zephyra");
        WriteSettings(doc, root.append_child("settings"));
        const pugi::xml_node favorites = root.append_child("favorites");
        SaveList(doc.favorites(), favorites, -1);
        SaveList(doc.history(), root.append_child("history"), doc.historyLimit);
        // The per-user folder may not exist yet on the first run.
        std::error_code ignored;
        std::filesystem::create_directories(path.parent_path(), ignored);
        const FolderLock lock(path.parent_path());
        pugi::xml_document onDisk;
        const XmlRead found = ReadXmlFile(onDisk, path);
        if (found == XmlRead::IllFormed)
            KeepAside(path);
        // What another program added is kept in the file, not taken into the document.
        std::vector<std::string> own = PrintedFavorites(document, doc.defaults);
        if (favoritesRead && found == XmlRead::Loaded)
            AppendFavoritesAddedElsewhere(favorites, onDisk, *favoritesRead, doc.defaults);
        problem = SaveXmlFileSayingWhy(document, path);
        if (problem.empty() && favoritesRead)
            *favoritesRead = std::move(own);
    } catch (const std::exception& e) {
        problem = "cannot write " + path.string() + ": " + e.what();
    }
    // The file and the reason, so that the user can mend what stands in the way.
    if (!problem.empty())
        doc.Host().MessageBox(std::string(WRITE_FAILED) + ": " + problem, ERROR_TITLE, MessageIcon::Error);
}

} // namespace

void ReadCfg(CZephyraDoc& doc, const std::filesystem::path& path)
{
    ReadCfgNoting(doc, path, nullptr);
}

void WriteCfg(const CZephyraDoc& doc, const std::filesystem::path& path)
{
    WriteCfgMerging(doc, path, nullptr);
}

void XmlConfigurationStore::Read(CZephyraDoc& doc)
{
    doc.SetConfigPath(location_.file.string());
    ReadCfgNoting(doc, location_.ToRead(), &favoritesRead_);
}

void XmlConfigurationStore::Write(const CZephyraDoc& doc)
{
    WriteCfgMerging(doc, location_.file, &favoritesRead_);
}

} // namespace zephyra
