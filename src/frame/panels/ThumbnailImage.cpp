#include "ThumbnailImage.h"

#include <QPixmap>

namespace zephyra {

QImage ThumbnailImage(const Thumbnail& thumbnail)
{
    QImage image(THUMBNAIL_SIZE, THUMBNAIL_SIZE, QImage::Format_RGB32);
    for (int y = 0; y < THUMBNAIL_SIZE; ++y) {
        const std::uint8_t* source = thumbnail.data() + (THUMBNAIL_SIZE - 1 - y) * THUMBNAIL_SIZE * 3;
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < THUMBNAIL_SIZE; ++x, source += 3)
            target[x] = qRgb(source[2], source[1], source[0]);
    }
    return image;
}

QIcon ThumbnailIcon(const Thumbnail& thumbnail)
{
    // The same pixmap when selected: the thumbnail is never tinted by the selection.
    const QPixmap pixmap = QPixmap::fromImage(ThumbnailImage(thumbnail));
    QIcon icon;
    icon.addPixmap(pixmap, QIcon::Normal);
    icon.addPixmap(pixmap, QIcon::Selected);
    return icon;
}

} // namespace zephyra
