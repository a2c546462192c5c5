#include "DocumentFile.h"

#include "AttractorXml.h"
#include "CZephyraDoc.h"
#include "XmlFile.h"

#include <exception>
#include <string>

namespace zephyra {

namespace {

constexpr const char* ERROR_TITLE = "Error";
constexpr const char* ROOT_NAME = "zephyraSaved";

void ReportError(const CZephyraDoc& doc, const std::string& text)
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
        doc.ReplaceSaved(std::move(records));
        return true;
    } catch (const std::exception&) {
        ReportError(doc, "Exception occurred in OnOpenDocument");
        return false;
    }
}

bool OnSaveDocument(CZephyraDoc& doc, const std::filesystem::path& path)
{
    std::string failure;
    try {
        pugi::xml_document document;
        SaveList(doc.saved(), StartXmlDocument(document, ROOT_NAME), -1);
        failure = SaveXmlFileSayingWhy(document, path);
    } catch (const std::exception& e) {
        failure = "cannot write " + path.string() + ": " + e.what();
    }
    // The file and the system's reason tell the user what to mend.
    if (!failure.empty()) {
        ReportError(doc, "Exception occurred in OnSaveDocument: " + failure);
        return false;
    }
    doc.OnSaveDone();
    return true;
}

void OnSavedJoin(CZephyraDoc& doc, const std::filesystem::path& path)
{
    // The records are read aside, so a failure adds none of them.
    AttractorList records;
    try {
        pugi::xml_document document;
        if (!LoadXmlFile(document, path)) {
            ReportError(doc, "Exception occurred in OnSavedJoin");
            return;
        }
        LoadList(records, document.document_element(), doc.defaults);
    } catch (const std::exception&) {
        ReportError(doc, "Exception occurred in OnSavedJoin");
        return;
    }
    doc.JoinSaved(records);
}

} // namespace zephyra
