#include "RgbImage.h"

#include <algorithm>

namespace zephyra {

std::uint8_t TruncatedByte(float scaled)
{
    if (!(scaled > 0.0f))
        return 0;
    if (scaled >= 255.0f)
        return 255;
    return static_cast<std::uint8_t>(scaled);
}

RgbImage::RgbImage(int width, int height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      bytes_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 3, 0)
{
}

void RgbImage::Fill(const PixelRect& rect, const Rgb& color)
{
    const std::uint8_t r = ChannelByte(color[0]), g = ChannelByte(color[1]), b = ChannelByte(color[2]);
    const int x0 = std::max(rect.left, 0), x1 = std::min(rect.right, width_);
    const int y0 = std::max(rect.top, 0), y1 = std::min(rect.bottom, height_);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            Set(x, y, r, g, b);
}

} // namespace zephyra
