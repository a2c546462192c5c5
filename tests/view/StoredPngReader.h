#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zephyra::testing {

// Reads back the stored deflate stream of a PNG written by WritePng: rows with their filter bytes.
// Only the stored blocks that writer makes are understood; the checks fail on anything else.
inline std::vector<std::uint8_t> StoredRows(const std::vector<std::uint8_t>& png, int& width, int& height)
{
    auto be32 = [&](std::size_t at) {
        return (std::uint32_t{png[at]} << 24) | (std::uint32_t{png[at + 1]} << 16) |
               (std::uint32_t{png[at + 2]} << 8) | png[at + 3];
    };
    width = static_cast<int>(be32(16));
    height = static_cast<int>(be32(20));
    std::size_t at = 33; // after the signature and IHDR
    std::vector<std::uint8_t> z;
    while (at + 8 <= png.size()) {
        const std::uint32_t length = be32(at);
        const std::string type(png.begin() + static_cast<std::ptrdiff_t>(at + 4),
                               png.begin() + static_cast<std::ptrdiff_t>(at + 8));
        if (type == "IDAT")
            z.insert(z.end(), png.begin() + static_cast<std::ptrdiff_t>(at + 8),
                     png.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
        at += 12 + length;
    }
    std::vector<std::uint8_t> raw;
    std::size_t p = 2;
    bool last = false;
    while (!last && p + 5 <= z.size()) {
        last = z[p] & 1;
        const std::size_t len = z[p + 1] | (z[p + 2] << 8);
        EXPECT_EQ(len ^ 0xFFFF, static_cast<std::size_t>(z[p + 3] | (z[p + 4] << 8)));
        raw.insert(raw.end(), z.begin() + static_cast<std::ptrdiff_t>(p + 5),
                   z.begin() + static_cast<std::ptrdiff_t>(p + 5 + len));
        p += 5 + len;
    }
    EXPECT_TRUE(last);
    return raw;
}

} // namespace zephyra::testing
