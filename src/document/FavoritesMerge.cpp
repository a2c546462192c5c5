#include "FavoritesMerge.h"

#include "AttractorXml.h"
#include "XmlFile.h"

#include <algorithm>
#include <sstream>

namespace zephyra {

namespace {

std::string Printed(const pugi::xml_node& record, const AttractorDefaults& defaults)
{
    pugi::xml_document rewritten;
    SaveToXml(*LoadFromXml(record, defaults), rewritten);
    std::ostringstream text;
    rewritten.first_child().print(text, "", pugi::format_raw);
    return text.str();
}

// Every record element of the favourites lists, in file order.
std::vector<pugi::xml_node> FavoriteRecords(const pugi::xml_document& document)
{
    std::vector<pugi::xml_node> records;
    for (const pugi::xml_node list : ElementsByName(document, "favorites"))
        for (const pugi::xml_node record : list.children())
            if (record.type() == pugi::node_element)
                records.push_back(record);
    return records;
}

} // namespace

std::vector<std::string> PrintedFavorites(const pugi::xml_document& document,
                                          const AttractorDefaults& defaults)
{
    std::vector<std::string> printed;
    for (const pugi::xml_node record : FavoriteRecords(document))
        printed.push_back(Printed(record, defaults));
    return printed;
}

void AppendFavoritesAddedElsewhere(pugi::xml_node favorites, const pugi::xml_document& onDisk,
                                   std::vector<std::string> asRead, const AttractorDefaults& defaults)
{
    for (const pugi::xml_node record : FavoriteRecords(onDisk)) {
        const auto known = std::find(asRead.begin(), asRead.end(), Printed(record, defaults));
        if (known != asRead.end())
            asRead.erase(known);
        else
            favorites.append_copy(record);
    }
}

} // namespace zephyra
