#pragma once
#include "DisplaySettings.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
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

// A picture in memory: RGB, or RGBA with unpremultiplied colour, rows top-down with no padding, 8
// or 16 bits a channel (16-bit samples in the machine's byte order). What every renderer draws or
// hands over, and what the files, the printer and the windows read.
class Picture {
public:
    Picture() = default;
    // `channels` 3 (RGB) or 4 (RGBA); black, and transparent where there is alpha.
    Picture(int width, int height, int depth = 8, int channels = 3);

    [[nodiscard]] int Width() const { return width_; }
    [[nodiscard]] int Height() const { return height_; }
    [[nodiscard]] int Depth() const { return depth_; }
    [[nodiscard]] int Channels() const { return channels_; }
    [[nodiscard]] bool HasAlpha() const { return channels_ == 4; }
    [[nodiscard]] std::size_t RowBytes() const
    {
        return static_cast<std::size_t>(width_) * static_cast<std::size_t>(channels_ * (depth_ / 8));
    }
    [[nodiscard]] std::uint8_t* Row(int y)
    {
        return bytes_.data() + RowBytes() * static_cast<std::size_t>(y);
    }
    [[nodiscard]] const std::uint8_t* Row(int y) const
    {
        return bytes_.data() + RowBytes() * static_cast<std::size_t>(y);
    }
    [[nodiscard]] bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // Pixel access of 8-bit RGB pictures (the point renderer's): the pixel's three bytes.
    [[nodiscard]] const std::uint8_t* Pixel(int x, int y) const
    {
        return Row(y) + static_cast<std::size_t>(x) * 3;
    }
    // Pixels outside the picture are dropped, as a device drops them.
    void Set(int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b)
    {
        if (!Contains(x, y))
            return;
        std::uint8_t* p = Row(y) + static_cast<std::size_t>(x) * 3;
        p[0] = r;
        p[1] = g;
        p[2] = b;
    }
    // Fills the part of the rectangle that lies inside the picture.
    void Fill(const PixelRect& rect, const Rgb& color);

    // Channel c of pixel (x, y) scaled to 0..1.
    [[nodiscard]] double Sample(int x, int y, int c) const;
    // Stores a channel value 0..1 (held to that range) at the picture's depth, rounded. Inline:
    // the density resolve stores every sample of a picture through it.
    void SetSample(int x, int y, int c, float value)
    {
        const float held = value > 0.0f ? std::min(value, 1.0f) : 0.0f; // NaN too
        const std::size_t i = static_cast<std::size_t>(x * channels_ + c);
        if (depth_ == 8) {
            Row(y)[i] = static_cast<std::uint8_t>(held * 255.0f + 0.5f);
            return;
        }
        const auto v = static_cast<std::uint16_t>(held * 65535.0f + 0.5f);
        std::memcpy(Row(y) + i * 2, &v, 2);
    }

private:
    int width_ = 0;
    int height_ = 0;
    int depth_ = 8;
    int channels_ = 3;
    std::vector<std::uint8_t> bytes_;
};

} // namespace zephyra
