#include "DensityResolve.h"

#include "ColorMaps.h"

#include <algorithm>
#include <cmath>

namespace zephyra {

namespace {

// Colours closer than this in luminance to the background are pushed away from it.
constexpr float LEAST_CONTRAST = 0.2f;

float Luminance(const Rgb& c)
{
    return 0.2126f * c[0] + 0.7152f * c[1] + 0.0722f * c[2];
}

Rgb Readable(Rgb color, const Rgb& background, float brightness)
{
    const float lb = Luminance(background);
    if (std::fabs(Luminance(color) - lb) >= LEAST_CONTRAST)
        return color;
    const float away = lb > 0.5f ? 0.0f : 1.0f;
    for (float& c : color)
        c += (away - c) * brightness;
    return color;
}

// The coloured cell of picture pixel `i`, with its wide cell.
struct Block {
    std::uint64_t count = 0;
    std::uint64_t sums[3]{};
};

Block ColorBlock(const CanvasCells& cells, std::size_t i)
{
    const ColorCell& c = cells.cells[i];
    Block block{c.count, {c.red, c.green, c.blue}};
    const std::vector<WideCell>& wide = *cells.wide;
    const auto w = std::lower_bound(wide.begin(), wide.end(), i,
                                    [](const WideCell& a, std::size_t index) { return a.index < index; });
    if (w != wide.end() && w->index == i) {
        block.count += w->count;
        for (int k = 0; k < 3; ++k)
            block.sums[k] += w->sums[k];
    }
    return block;
}

} // namespace

void CountPixels(const CanvasStrip& strip, DensityHistogram& histogram)
{
    const std::size_t cells = static_cast<std::size_t>(strip.width) * static_cast<std::size_t>(strip.rows) *
                              static_cast<std::size_t>(strip.supersample * strip.supersample);
    for (std::size_t i = 0; i < cells; ++i)
        histogram.Add(strip.cells.counts[i]);
}

Picture ResolveStrip(const CanvasStrip& strip, const ToneCurve& curve, const ResolveStyle& style)
{
    const int S = strip.supersample;
    const std::size_t canvasWidth = static_cast<std::size_t>(strip.width) * static_cast<std::size_t>(S);
    const float perCell = 1.0f / static_cast<float>(S * S);
    const bool palette = style.palette != Palette::Coordinates;
    Picture picture(strip.width, strip.rows, style.depth);
    for (int y = 0; y < strip.rows; ++y)
        for (int x = 0; x < strip.width; ++x) {
            float brightness = 0.0f;
            Rgb paint{};
            for (int sy = 0; sy < S; ++sy) {
                const std::uint32_t* row = strip.cells.counts +
                                           static_cast<std::size_t>(y * S + sy) * canvasWidth +
                                           static_cast<std::size_t>(x * S);
                for (int sx = 0; sx < S; ++sx) {
                    const float b = curve.Brightness(row[sx]);
                    brightness += b;
                    if (palette) {
                        const Rgb c = row[sx] ? PaletteColor(style.palette, b) : style.background;
                        for (int k = 0; k < 3; ++k)
                            paint[static_cast<std::size_t>(k)] += c[static_cast<std::size_t>(k)];
                    }
                }
            }
            brightness *= perCell;
            Rgb color = style.background;
            float opacity = 1.0f;
            if (palette) {
                for (int k = 0; k < 3; ++k)
                    color[static_cast<std::size_t>(k)] = paint[static_cast<std::size_t>(k)] * perCell;
            } else {
                const Block block = ColorBlock(strip.cells, static_cast<std::size_t>(y) *
                                                                    static_cast<std::size_t>(strip.width) +
                                                                static_cast<std::size_t>(x));
                const double toUnit = block.count ? 1.0 / (255.0 * static_cast<double>(block.count)) : 0.0;
                for (int c = 0; c < 3; ++c)
                    color[static_cast<std::size_t>(c)] =
                        static_cast<float>(static_cast<double>(block.sums[c]) * toUnit);
                color = Readable(color, style.background, brightness);
                opacity = block.count ? brightness : 0.0f;
            }
            for (int c = 0; c < 3; ++c) {
                const float bg = style.background[static_cast<std::size_t>(c)];
                picture.SetSample(x, y, c, bg + (color[static_cast<std::size_t>(c)] - bg) * opacity);
            }
        }
    return picture;
}

} // namespace zephyra
