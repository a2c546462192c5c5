#include "Picture.h"

#include <algorithm>
#include <cstring>

namespace zephyra {

std::uint8_t TruncatedByte(float scaled)
{
    if (!(scaled > 0.0f))
        return 0;
    if (scaled >= 255.0f)
        return 255;
    return static_cast<std::uint8_t>(scaled);
}

Picture::Picture(int width, int height, int depth, int channels)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), depth_(depth == 16 ? 16 : 8),
      channels_(channels == 4 ? 4 : 3), bytes_(RowBytes() * static_cast<std::size_t>(height_), 0)
{
}

void Picture::Fill(const PixelRect& rect, const Rgb& color)
{
    const std::uint8_t r = ChannelByte(color[0]), g = ChannelByte(color[1]), b = ChannelByte(color[2]);
    const int x0 = std::max(rect.left, 0), x1 = std::min(rect.right, width_);
    const int y0 = std::max(rect.top, 0), y1 = std::min(rect.bottom, height_);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            Set(x, y, r, g, b);
}

double Picture::Sample(int x, int y, int c) const
{
    const std::size_t i = static_cast<std::size_t>(x * channels_ + c);
    if (depth_ == 8)
        return Row(y)[i] / 255.0;
    std::uint16_t v;
    std::memcpy(&v, Row(y) + i * 2, 2);
    return v / 65535.0;
}

} // namespace zephyra
