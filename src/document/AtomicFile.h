#pragma once
#include <filesystem>
#include <string_view>

namespace zephyra {

// Replaces the file at `path` with `content` through a temporary file in the same folder and a
// rename, so a reader sees the old file or the new one and a failed write leaves the old file as
// it was. A symbolic link at `path` keeps pointing at the replaced file.
[[nodiscard]] bool WriteFileAtomically(const std::filesystem::path& path, std::string_view content);

} // namespace zephyra
