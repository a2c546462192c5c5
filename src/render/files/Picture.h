#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zephyra {

// A finished picture in memory: RGB, rows top-down, 8 or 16 bits a channel (16-bit samples in
// the machine's byte order). What renderers hand over before anything is written to a file.
class Picture {
public:
    Picture() = default;
    Picture(int width, int height, int depth);

    [[nodiscard]] int Width() const { return width_; }
    [[nodiscard]] int Height() const { return height_; }
    [[nodiscard]] int Depth() const { return depth_; }
    [[nodiscard]] std::size_t RowBytes() const { return static_cast<std::size_t>(width_) * 3 * (depth_ / 8); }
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
    std::vector<std::uint8_t> bytes_;
};

} // namespace zephyra
