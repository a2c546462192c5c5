#include "DocumentFile.h"

#include "AttractorXml.h"
#include "CZephyraDoc.h"
#include "XmlFile.h"
#include "XmlPieces.h"

#include <exception>
#include <optional>
#include <string>

namespace zephyra {

namespace {

constexpr const char* ERROR_TITLE = "Error";
constexpr const char* ROOT_NAME = "zephyraSaved";

void ReportError(const CZephyraDoc& doc, const std::string& text)
{
    doc.Host().MessageBox(text, ERROR_TITLE, MessageIcon::Error);
}

// The records of a document file, each element inside its root, read aside; false for a missing,
// unreadable or ill-formed file. A large document is read a few records at a time: a tree of the
// whole file takes about three times the file.
bool ReadDocumentRecords(const std::filesystem::path& path, const AttractorDefaults& defaults,
                         AttractorList& records)
{
    std::optional<std::string> text = ReadRegularFileText(path);
    if (!text)
        return false;
    if (ReadRootChildrenInPieces(*text, [&](pugi::xml_node, pugi::xml_node child) {
            records.AddTail(LoadFromXml(child, defaults));
            return true;
        }))
        return true;
    records.RemoveAll();
    pugi::xml_document document;
    if (!LoadWellFormedXml(document, *text))
        return false;
    // The tree holds its own copy: the records take the text's room.
    std::string().swap(*text);
    LoadList(records, document.document_element(), defaults);
    return true;
}

} // namespace

bool OnOpenDocument(CZephyraDoc& doc, const std::filesystem::path& path)
{
    try {
        // The records are read aside, so a failure leaves Saved as it was.
        AttractorList records;
        if (!ReadDocumentRecords(path, doc.defaults(), records)) {
            ReportError(doc, "File not found.");
            return false;
        }
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
        if (!ReadDocumentRecords(path, doc.defaults(), records)) {
            ReportError(doc, "Exception occurred in OnSavedJoin");
            return;
        }
    } catch (const std::exception&) {
        ReportError(doc, "Exception occurred in OnSavedJoin");
        return;
    }
    doc.JoinSaved(records);
}

} // namespace zephyra
