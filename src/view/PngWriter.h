#pragma once
#include "RgbImage.h"

#include <string>

namespace zephyra {

// Writes the picture as an 8-bit RGB PNG (stored, uncompressed deflate blocks). The file is written
// beside the target and renamed over it, so a failed write leaves any old file as it was.
// Returns an empty text on success, else what went wrong.
[[nodiscard]] std::string WritePng(const RgbImage& image, const std::string& path);

} // namespace zephyra
