#pragma once
#include "ConfigurationStore.h"

#include <filesystem>

namespace zephyra {

// The configuration file: settings, view flags, the display defaults, Favorites and History.

// Reads the file into the document. A missing or ill-formed file changes nothing and shows no
// message; the settings found override the document's values one by one.
void ReadCfg(CZephyraDoc& doc, const std::filesystem::path& path);
// Writes the document's state; on failure shows "Exception occurred in WriteCfg" and leaves the
// old file as it was. A file there that is not well-formed is first kept as "<file>.bad".
void WriteCfg(const CZephyraDoc& doc, const std::filesystem::path& path);

// The store the window program gives its document: read at construction, written at destruction.
class XmlConfigurationStore : public ConfigurationStore {
public:
    explicit XmlConfigurationStore(std::filesystem::path path) : path_(std::move(path)) {}
    void Read(CZephyraDoc& doc) override;
    void Write(const CZephyraDoc& doc) override { WriteCfg(doc, path_); }
    [[nodiscard]] const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace zephyra
