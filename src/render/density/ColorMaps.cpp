#include "ColorMaps.h"

#include <algorithm>

namespace zephyra {

namespace {
const detail::ColorTable* TableOf(Palette palette)
{
    switch (palette) {
    case Palette::Magma:
        return &detail::MAGMA;
    case Palette::Inferno:
        return &detail::INFERNO;
    case Palette::Viridis:
        return &detail::VIRIDIS;
    case Palette::Cividis:
        return &detail::CIVIDIS;
    case Palette::Turbo:
        return &detail::TURBO;
    case Palette::Gray:
    case Palette::Coordinates:
        break;
    }
    return nullptr;
}
} // namespace

Rgb PaletteColor(Palette palette, float t)
{
    t = t > 0.0f ? std::min(t, 1.0f) : 0.0f; // NaN too
    const detail::ColorTable* table = TableOf(palette);
    if (!table)
        return {t, t, t};
    const float position = t * 255.0f;
    const int i = std::min(static_cast<int>(position), 254);
    const float f = position - static_cast<float>(i);
    const Rgb& a = (*table)[static_cast<std::size_t>(i)];
    const Rgb& b = (*table)[static_cast<std::size_t>(i) + 1];
    return {a[0] + (b[0] - a[0]) * f, a[1] + (b[1] - a[1]) * f, a[2] + (b[2] - a[2]) * f};
}

} // namespace zephyra
