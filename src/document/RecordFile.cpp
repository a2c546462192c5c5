#include "RecordFile.h"

#include "AttractorXml.h"
#include "XmlFile.h"

namespace zephyra {

namespace {

void AppendRecords(std::vector<ListedRecord>& records, const char* list, pugi::xml_node container,
                   const AttractorDefaults& defaults)
{
    AttractorList entries;
    LoadList(entries, container, defaults);
    for (const AttractorRef& entry : entries)
        records.push_back({list, entry});
}

} // namespace

std::optional<std::vector<ListedRecord>> ReadRecordFile(const std::filesystem::path& path,
                                                        const AttractorDefaults& defaults)
{
    pugi::xml_document document;
    if (!LoadXmlFile(document, path))
        return std::nullopt;
    std::vector<ListedRecord> records;
    // A configuration file is one with settings or lists, even when it holds no record.
    bool configuration = !ElementsByName(document, "settings").empty();
    for (const char* list : {"favorites", "history"})
        for (const pugi::xml_node container : ElementsByName(document, list)) {
            configuration = true;
            AppendRecords(records, list, container, defaults);
        }
    if (!configuration)
        AppendRecords(records, "saved", document.document_element(), defaults);
    return records;
}

} // namespace zephyra
