#pragma once
#include "PngFile.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zephyra {

// The texts a picture carries (the attractor's record, its settings), kept in a WebP file as one
// chunk of its own that viewers pass over: each key and text ends with a NUL.

// The file with the texts added through libwebpmux; empty when libwebpmux refuses it.
[[nodiscard]] std::string WithWebpTexts(const std::string& webp, const std::vector<PngText>& texts);

// Whether the file starts as a WebP file does.
[[nodiscard]] bool IsWebpFile(const std::filesystem::path& path);

// The texts of a WebP file, read without its frames: none for a WebP that carries none; nothing
// for a file that is missing or no WebP, or whose texts are damaged.
[[nodiscard]] std::optional<std::vector<PngText>> ReadWebpTexts(const std::filesystem::path& path);

} // namespace zephyra
