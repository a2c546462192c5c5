#include "PictureImage.h"

#include <algorithm>
#include <cstring>

namespace zephyra {

namespace {

QImage::Format FormatOf(const Picture& picture)
{
    if (picture.Depth() == 16)
        return picture.HasAlpha() ? QImage::Format_RGBA64 : QImage::Format_RGBX64;
    return picture.HasAlpha() ? QImage::Format_RGBA8888 : QImage::Format_RGB888;
}

} // namespace

QImage ToQImage(const Picture& picture)
{
    QImage image(picture.Width(), picture.Height(), FormatOf(picture));
    const bool padAlpha = picture.Depth() == 16 && !picture.HasAlpha(); // RGBX64 has an X to fill
    for (int y = 0; y < picture.Height(); ++y) {
        if (!padAlpha) {
            std::memcpy(image.scanLine(y), picture.Row(y), picture.RowBytes());
            continue;
        }
        auto* out = reinterpret_cast<quint16*>(image.scanLine(y));
        const std::uint8_t* in = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x, in += 6, out += 4) {
            std::memcpy(out, in, 6);
            out[3] = 0xffff;
        }
    }
    return image;
}

} // namespace zephyra
