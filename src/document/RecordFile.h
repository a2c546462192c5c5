#pragma once
#include "Attractor.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zephyra {

// One record of a file and the list it stands in: "saved" for a ".zpr" document, "favorites" or
// "history" for a configuration file.
struct ListedRecord {
    std::string list;
    AttractorRef attractor;
};

// Every record of a document or configuration file, in file order; a file with "favorites" or
// "history" elements is read as a configuration file. Nothing for a missing or ill-formed file.
[[nodiscard]] std::optional<std::vector<ListedRecord>> ReadRecordFile(const std::filesystem::path& path,
                                                                      const AttractorDefaults& defaults);
// The most memory ReadRecordFile takes for a file of `fileBytes`: the text, its element tree and the
// records; 0 for an empty file.
[[nodiscard]] std::uint64_t RecordFileReadBytes(std::uint64_t fileBytes);

} // namespace zephyra
