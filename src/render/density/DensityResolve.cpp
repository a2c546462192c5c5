#include "DensityResolve.h"

#include "ColorMaps.h"

#include <algorithm>

namespace zephyra {

namespace {

struct Block {
    std::uint64_t count = 0;
    std::uint64_t sums[3]{};
};

Block SumBlock(const CanvasStrip& strip, int x, int y)
{
    const std::size_t i =
        static_cast<std::size_t>(y) * static_cast<std::size_t>(strip.width) + static_cast<std::size_t>(x);
    Block block;
    if (strip.cells.cells) {
        const ColorCell& c = strip.cells.cells[i];
        block.count = c.count;
        block.sums[0] = c.red;
        block.sums[1] = c.green;
        block.sums[2] = c.blue;
        const std::vector<WideCell>& wide = *strip.cells.wide;
        const auto w = std::lower_bound(wide.begin(), wide.end(), i,
                                        [](const WideCell& a, std::size_t index) { return a.index < index; });
        if (w != wide.end() && w->index == i) {
            block.count += w->count;
            for (int k = 0; k < 3; ++k)
                block.sums[k] += w->sums[k];
        }
    } else {
        block.count = strip.cells.counts[i];
    }
    return block;
}

} // namespace

void CountPixels(const CanvasStrip& strip, DensityHistogram& histogram)
{
    for (int y = 0; y < strip.rows; ++y)
        for (int x = 0; x < strip.width; ++x)
            histogram.Add(SumBlock(strip, x, y).count);
}

Picture ResolveStrip(const CanvasStrip& strip, const ToneCurve& curve, const ResolveStyle& style)
{
    Picture picture(strip.width, strip.rows, style.depth);
    for (int y = 0; y < strip.rows; ++y)
        for (int x = 0; x < strip.width; ++x) {
            const Block block = SumBlock(strip, x, y);
            const float b = curve.Brightness(block.count);
            Rgb color = style.background;
            float opacity = 1.0f;
            if (block.count == 0) {
                opacity = 0.0f;
            } else if (style.palette != Palette::Coordinates) {
                color = PaletteColor(style.palette, b);
            } else {
                const double toUnit = 1.0 / (255.0 * static_cast<double>(block.count));
                for (int c = 0; c < 3; ++c)
                    color[static_cast<std::size_t>(c)] =
                        static_cast<float>(static_cast<double>(block.sums[c]) * toUnit);
                opacity = b;
            }
            for (int c = 0; c < 3; ++c) {
                const float bg = style.background[static_cast<std::size_t>(c)];
                picture.SetSample(x, y, c, bg + (color[static_cast<std::size_t>(c)] - bg) * opacity);
            }
        }
    return picture;
}

} // namespace zephyra
