#pragma once
#include "DisplaySettings.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zephyra {

// A rectangle of device pixels; right and bottom lie just outside it.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    [[nodiscard]] int Width() const { return right - left; }
    [[nodiscard]] int Height() const { return bottom - top; }
};

// A channel already scaled to 0..255, truncated to its byte; out-of-range and NaN values are held
// to 0..255 rather than converted with undefined results.
[[nodiscard]] std::uint8_t TruncatedByte(float scaled);
// Colour channel 0..1 to the byte trunc(c x 255).
[[nodiscard]] inline std::uint8_t ChannelByte(float value)
{
    return TruncatedByte(value * 255.0f);
}

// An 8-bit RGB picture, rows top-down, three bytes a pixel with no padding: what the software
// renderer draws into and what the PNG writer and the printer read.
class RgbImage {
public:
    RgbImage(int width, int height);

    [[nodiscard]] int Width() const { return width_; }
    [[nodiscard]] int Height() const { return height_; }
    [[nodiscard]] const std::uint8_t* Data() const { return bytes_.data(); }
    [[nodiscard]] const std::uint8_t* Pixel(int x, int y) const { return &bytes_[Offset(x, y)]; }
    [[nodiscard]] bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // Fills the part of the rectangle that lies inside the picture.
    void Fill(const PixelRect& rect, const Rgb& color);
    // Pixels outside the picture are dropped, as a device drops them.
    void Set(int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b)
    {
        if (!Contains(x, y))
            return;
        std::uint8_t* p = &bytes_[Offset(x, y)];
        p[0] = r;
        p[1] = g;
        p[2] = b;
    }

private:
    [[nodiscard]] std::size_t Offset(int x, int y) const
    {
        return (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                static_cast<std::size_t>(x)) *
               3;
    }

    int width_;
    int height_;
    std::vector<std::uint8_t> bytes_;
};

} // namespace zephyra
