#pragma once
#include "ConfigPath.h"
#include "ConfigurationStore.h"

#include <filesystem>
#include <string>
#include <vector>

namespace zephyra {

// The configuration file: settings, view flags, the display defaults, Favorites and History.

// Reads the file into the document. A missing or ill-formed file changes nothing and shows no
// message; the settings found override the document's values one by one.
void ReadCfg(CZephyraDoc& doc, const std::filesystem::path& path);
// Writes the document's state; on failure shows "Exception occurred in WriteCfg" and leaves the
// old file as it was. A file there that is not well-formed is first kept as "<file>.bad".
void WriteCfg(const CZephyraDoc& doc, const std::filesystem::path& path);

// The store the window program gives its document: read at construction, written at destruction.
// Settings and History are the last writer's; Favorites merge with what another program that
// shares the file added meanwhile (the file is locked for the re-read and the write).
class XmlConfigurationStore : public ConfigurationStore {
public:
    explicit XmlConfigurationStore(ConfigLocation location) : location_(std::move(location)) {}
    explicit XmlConfigurationStore(std::filesystem::path path) : location_{std::move(path), {}, {}} {}
    void Read(CZephyraDoc& doc) override;
    void Write(const CZephyraDoc& doc) override;
    [[nodiscard]] const std::filesystem::path& Path() const { return location_.file; }

private:
    ConfigLocation location_;
    std::vector<std::string> favoritesRead_; // as they stood in the file when it was last read or written
};

} // namespace zephyra
