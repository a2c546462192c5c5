#pragma once
#include "Picture.h"

#include <QImage>

namespace zephyra {

// A copy of the picture for Qt to show or paint: 8-bit RGB as RGB888, 8-bit RGBA as RGBA8888,
// 16-bit ones as RGBX64 or RGBA64, the alpha never premultiplied.
[[nodiscard]] QImage ToQImage(const Picture& picture);

} // namespace zephyra
