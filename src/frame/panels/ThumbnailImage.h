#pragma once
#include "Attractor.h"

#include <QIcon>
#include <QImage>

namespace zephyra {

// The record's thumbnail (rows bottom-up, bytes blue, green, red) as a top-down 32 x 32 image,
// converted in one pass over the bytes.
[[nodiscard]] QImage ThumbnailImage(const Thumbnail& thumbnail);
// The same as an item icon; the image is handed over without a further copy.
[[nodiscard]] QIcon ThumbnailIcon(const Thumbnail& thumbnail);

} // namespace zephyra
