#pragma once
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <optional>

namespace zephyra::testing {

// The pixels a metre a PNG states in its pHYs chunk, as libpng reads them; nothing when it states
// none or cannot be read.
inline std::optional<png_uint_32> PixelsPerMetre(const std::filesystem::path& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return std::nullopt;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::optional<png_uint_32> perMetre;
    if (info && !setjmp(png_jmpbuf(png))) {
        png_init_io(png, file);
        png_read_info(png, info);
        png_uint_32 x = 0, y = 0;
        int unit = 0;
        if (png_get_pHYs(png, info, &x, &y, &unit) && unit == PNG_RESOLUTION_METER && x == y)
            perMetre = x;
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return perMetre;
}

} // namespace zephyra::testing
