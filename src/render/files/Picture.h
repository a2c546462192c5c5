#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zephyra {

// A finished picture in memory: RGB, or RGBA with unpremultiplied colour, rows top-down, 8 or 16
// bits a channel (16-bit samples in the machine's byte order). What renderers hand over before
// anything is written to a file.
class Picture {
public:
    Picture() = default;
    // `channels` 3 (RGB) or 4 (RGBA).
    Picture(int width, int height, int depth, int channels = 3);

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
    // Channel c of pixel (x, y) scaled to 0..1.
    [[nodiscard]] double Sample(int x, int y, int c) const;
    // Stores a channel value 0..1 (held to that range) at the picture's depth, rounded.
    void SetSample(int x, int y, int c, float value);

private:
    int width_ = 0;
    int height_ = 0;
    int depth_ = 8;
    int channels_ = 3;
    std::vector<std::uint8_t> bytes_;
};

} // namespace zephyra
