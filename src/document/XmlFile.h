#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

namespace zephyra {

// Loading and saving whole XML files for the configuration and the document files. A file larger
// than the memory left throws std::bad_alloc rather than being taken for an ill-formed one.

// The whole content of a regular file; nothing for a missing or unreadable file or anything else
// (a FIFO or a device, which might never end).
[[nodiscard]] std::optional<std::string> ReadRegularFileText(const std::filesystem::path& path);

enum class XmlRead {
    Loaded,
    Unreadable, // missing, not readable, or not a regular file (a FIFO or a device is not waited on)
    IllFormed,  // read, but not one well-formed document; `document` is left empty
};
[[nodiscard]] XmlRead ReadXmlFile(pugi::xml_document& document, const std::filesystem::path& path);
// False, without a message, for a missing, unreadable or ill-formed file.
[[nodiscard]] bool LoadXmlFile(pugi::xml_document& document, const std::filesystem::path& path);
// Loads `text` when it is one well-formed document (IsWellFormedXml), the one rule for every XML
// this program reads; false, with `document` empty, otherwise.
[[nodiscard]] bool LoadWellFormedXml(pugi::xml_document& document, std::string_view text);
// Puts the declaration "version='1.0'" first and an empty root element of that name after it.
pugi::xml_node StartXmlDocument(pugi::xml_document& document, const char* rootName);
// Replaces the file atomically; false when it could not be written (the old file is then intact).
[[nodiscard]] bool SaveXmlFile(const pugi::xml_document& document, const std::filesystem::path& path);
// The same; empty when written, else "cannot write PATH: reason".
[[nodiscard]] std::string SaveXmlFileSayingWhy(const pugi::xml_document& document,
                                               const std::filesystem::path& path);
// Every element of that name anywhere in the document, in document order.
[[nodiscard]] std::vector<pugi::xml_node> ElementsByName(pugi::xml_node document, const char* name);

} // namespace zephyra
