#include "MapLegend.h"

#include "LabelFont.h"
#include "MapPicture.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace zephyra::cli {

namespace {
constexpr int LEGEND_HEIGHT = 46;
constexpr int MARGIN = 8;
constexpr int BAR_TOP = 6;
constexpr int BAR_HEIGHT = 14;
constexpr int FONT_SIZE = 12;
constexpr int SWATCH = 52;
constexpr double LOWEST = -2.0, HIGHEST = 1.0;
constexpr double TICKS[] = {-2.0, -1.5, -1.0, -0.5, 0.0, 0.5, 1.0};

void Fill(Picture& p, int x0, int y0, int x1, int y1, const Rgb8& c)
{
    for (int y = std::max(y0, 0); y < std::min(y1, p.Height()); ++y)
        for (int x = std::max(x0, 0); x < std::min(x1, p.Width()); ++x)
            std::memcpy(p.Row(y) + 3 * static_cast<std::size_t>(x), c.data(), 3);
}

std::string TickText(double v)
{
    std::string text = std::to_string(v);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.')
        text.pop_back();
    return text;
}
} // namespace

Picture WithMapLegend(const Picture& map)
{
    const int width = map.Width();
    Picture out(width, map.Height() + LEGEND_HEIGHT, 8, 3);
    for (int y = 0; y < map.Height(); ++y)
        std::memcpy(out.Row(y), map.Row(y), map.RowBytes());
    const int top = map.Height();
    Fill(out, 0, top, width, top + LEGEND_HEIGHT, {255, 255, 255});
    const int barLeft = MARGIN, barRight = std::max(barLeft + 1, width - MARGIN - SWATCH - MARGIN);
    const int y0 = top + BAR_TOP, y1 = y0 + BAR_HEIGHT;
    const auto at = [&](double v) {
        return barLeft + static_cast<int>((v - LOWEST) / (HIGHEST - LOWEST) * (barRight - barLeft - 1));
    };
    for (int x = barLeft; x < barRight; ++x) {
        const double v = LOWEST + (HIGHEST - LOWEST) * (x - barLeft) / std::max(1, barRight - barLeft - 1);
        Fill(out, x, y0, x + 1, y1, MapColor(v));
    }
    const Rgb8 INK{40, 40, 40};
    Fill(out, barLeft - 1, y0 - 1, barRight + 1, y0, INK);
    Fill(out, barLeft - 1, y1, barRight + 1, y1 + 1, INK);
    Fill(out, barLeft - 1, y0, barLeft, y1, INK);
    Fill(out, barRight, y0, barRight + 1, y1, INK);
    const LabelFont font(FONT_SIZE);
    const Rgb textColor{0.15f, 0.15f, 0.15f};
    for (const double v : TICKS) {
        const int x = at(v);
        Fill(out, x, y1, x + 1, y1 + 4, INK);
        const std::string text = TickText(v);
        const int half = static_cast<int>(text.size()) * FONT_SIZE * 3 / 10;
        font.Draw(out, std::clamp(x - half, 0, std::max(0, width - 2 * half)), y1 + 6, text, textColor);
    }
    const int swatchLeft = width - MARGIN - SWATCH;
    Fill(out, swatchLeft, y0, swatchLeft + SWATCH, y1, ESCAPE_COLOR);
    font.Draw(out, swatchLeft, y1 + 6, "escape", textColor);
    return out;
}

} // namespace zephyra::cli
