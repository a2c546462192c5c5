#include "DocumentFile.h"

#include "AttractorXml.h"
#include "CZephyraDoc.h"
#include "XmlFile.h"

#include <exception>

namespace zephyra {

namespace {

constexpr const char* ERROR_TITLE = "Error";
constexpr const char* ROOT_NAME = "zephyraSaved";

void ReportError(const CZephyraDoc& doc, const char* text)
{
    doc.Host().MessageBox(text, ERROR_TITLE, MessageIcon::Error);
}

} // namespace

bool OnOpenDocument(CZephyraDoc& doc, const std::filesystem::path& path)
{
    try {
        pugi::xml_document document;
        if (!LoadXmlFile(document, path)) {
            ReportError(doc, "File not found.");
            return false;
        }
        // The records are read aside, so a failure leaves Saved as it was.
        AttractorList records;
        LoadList(records, document.document_element(), doc.defaults);
        std::swap(doc.saved, records);
        doc.modified = false;
        doc.Host().ShowPanel(PANEL_SAVED);
        return true;
    } catch (const std::exception&) {
        ReportError(doc, "Exception occurred in OnOpenDocument");
        return false;
    }
}

bool OnSaveDocument(CZephyraDoc& doc, const std::filesystem::path& path)
{
    bool written = false;
    try {
        pugi::xml_document document;
        SaveList(doc.saved, StartXmlDocument(document, ROOT_NAME), -1);
        written = SaveXmlFile(document, path);
    } catch (const std::exception&) {
        written = false;
    }
    if (!written) {
        ReportError(doc, "Exception occurred in OnSaveDocument");
        return false;
    }
    doc.modified = false;
    return true;
}

void OnSavedJoin(CZephyraDoc& doc)
{
    const std::optional<std::string> chosen = doc.Host().AskOpenFileName();
    if (!chosen)
        return;
    try {
        pugi::xml_document document;
        if (!LoadXmlFile(document, *chosen)) {
            ReportError(doc, "Exception occurred in OnSavedJoin");
            return;
        }
        LoadList(doc.saved, document.document_element(), doc.defaults);
    } catch (const std::exception&) {
        ReportError(doc, "Exception occurred in OnSavedJoin");
        return;
    }
    doc.modified = true;
    doc.Host().UpdateAllViews(UH_SAVED_RELOADED);
    doc.Host().ShowPanel(PANEL_SAVED);
}

} // namespace zephyra
