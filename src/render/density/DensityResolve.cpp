#include "DensityResolve.h"

#include "ColorMaps.h"

#include <algorithm>
#include <cmath>
#include <thread>
#include <vector>

namespace zephyra {

namespace {

// Point colours closer than this in luminance to the background are pushed away from it, the
// more the closer they are.
constexpr float LEAST_CONTRAST = 0.5f;

float Luminance(const Rgb& c)
{
    return 0.2126f * c[0] + 0.7152f * c[1] + 0.0722f * c[2];
}

// How far a colour is to be pushed away from the background, 0..1.
float Closeness(const Rgb& color, const Rgb& background)
{
    return std::max(0.0f, 1.0f - std::fabs(Luminance(color) - Luminance(background)) / LEAST_CONTRAST);
}

// A pixel of colour `color` whose cells were hit with mean brightness `brightness` over a share
// `coverage` of its cells, made readable: darkened (on a light background) or lightened (on a dark
// one) by the brightness, laid over the background by its coverage.
Rgb Readable(const Rgb& color, const Rgb& background, float brightness, float coverage)
{
    const float away = Luminance(background) > 0.5f ? 0.0f : 1.0f;
    // The square root lifts the faint cells that a log curve leaves near the background.
    const float push = std::sqrt(brightness);
    Rgb pixel;
    for (std::size_t c = 0; c < 3; ++c)
        pixel[c] = background[c] + (color[c] + (away - color[c]) * push - background[c]) * coverage;
    return pixel;
}

// The coloured cell of picture pixel `i`, with its wide cell.
struct Block {
    std::uint64_t count = 0;
    std::uint64_t sums[3]{};
};

Block ColorBlock(const CanvasCells& cells, std::size_t i)
{
    const ColorCell& c = cells.Cell(i);
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
    const std::size_t pixels = static_cast<std::size_t>(strip.width) * static_cast<std::size_t>(strip.rows);
    const auto counts = static_cast<std::size_t>(strip.supersample * strip.supersample);
    for (std::size_t i = 0; i < pixels; ++i) {
        const std::uint32_t* c = strip.cells.Counts(i);
        for (std::size_t k = 0; k < counts; ++k)
            histogram.Add(c[k]);
    }
}

namespace {

// Resolves the picture rows [first, end) of the strip.
void ResolveRows(const CanvasStrip& strip, const ToneCurve& curve, const ResolveStyle& style, int first,
                 int end, Picture& picture)
{
    const int S = strip.supersample;
    const float perCell = 1.0f / static_cast<float>(S * S);
    const bool palette = style.palette != Palette::Coordinates;
    for (int y = first; y < end; ++y)
        for (int x = 0; x < strip.width; ++x) {
            float brightness = 0.0f;
            int lit = 0;
            Rgb paint{};
            for (int sy = 0; sy < S; ++sy) {
                const std::uint32_t* row =
                    strip.cells.Counts(static_cast<std::size_t>(y) * static_cast<std::size_t>(strip.width) +
                                       static_cast<std::size_t>(x)) +
                    sy * S;
                for (int sx = 0; sx < S; ++sx) {
                    const float b = curve.Brightness(row[sx]);
                    brightness += b;
                    lit += row[sx] != 0;
                    if (palette) {
                        // Opaque, a cell nothing hit shows the background; transparent, each cell's
                        // colour weighs by its own opacity.
                        const Rgb c = row[sx] ? PaletteColor(style.palette, b) : style.background;
                        const float weight = style.transparent ? b * static_cast<float>(row[sx] != 0) : 1.0f;
                        for (std::size_t k = 0; k < 3; ++k)
                            paint[k] += c[k] * weight;
                    }
                }
            }
            const float toColor = !style.transparent ? perCell : brightness > 0.0f ? 1.0f / brightness : 0.0f;
            brightness *= perCell;
            Rgb color = style.background;
            float opacity = 1.0f;
            if (palette) {
                for (std::size_t k = 0; k < 3; ++k)
                    color[k] = paint[k] * toColor;
                opacity = style.transparent ? brightness : 1.0f;
            } else {
                const Block block = ColorBlock(strip.cells, static_cast<std::size_t>(y) *
                                                                    static_cast<std::size_t>(strip.width) +
                                                                static_cast<std::size_t>(x));
                const double toUnit = block.count ? 1.0 / (255.0 * static_cast<double>(block.count)) : 0.0;
                for (int c = 0; c < 3; ++c)
                    color[static_cast<std::size_t>(c)] =
                        static_cast<float>(static_cast<double>(block.sums[c]) * toUnit);
                opacity = block.count ? brightness : 0.0f;
                const float close = style.transparent ? 0.0f : Closeness(color, style.background);
                if (lit > 0 && close > 0.0f) {
                    const float coverage = static_cast<float>(lit) * perCell;
                    const Rgb readable = Readable(color, style.background, brightness / coverage, coverage);
                    for (std::size_t c = 0; c < 3; ++c) {
                        const float plain = style.background[c] + (color[c] - style.background[c]) * opacity;
                        color[c] = plain + (readable[c] - plain) * close;
                    }
                    opacity = 1.0f;
                }
            }
            if (style.transparent) {
                for (int c = 0; c < 3; ++c)
                    picture.SetSample(x, y, c, color[static_cast<std::size_t>(c)]);
                picture.SetSample(x, y, 3, opacity);
                continue;
            }
            for (int c = 0; c < 3; ++c) {
                const float bg = style.background[static_cast<std::size_t>(c)];
                picture.SetSample(x, y, c, bg + (color[static_cast<std::size_t>(c)] - bg) * opacity);
            }
        }
}

} // namespace

Picture ResolveStrip(const CanvasStrip& strip, const ToneCurve& curve, const ResolveStyle& style, int workers)
{
    Picture picture(strip.width, strip.rows, style.depth, style.transparent ? 4 : 3);
    // Rows are independent: each worker resolves a band of its own.
    const int band = (strip.rows + workers - 1) / workers;
    {
        std::vector<std::jthread> threads;
        for (int first = band; first < strip.rows; first += band)
            threads.emplace_back([&, first] {
                ResolveRows(strip, curve, style, first, std::min(first + band, strip.rows), picture);
            });
        ResolveRows(strip, curve, style, 0, std::min(band, strip.rows), picture);
    }
    return picture;
}

} // namespace zephyra
