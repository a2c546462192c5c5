#include "DensityResolve.h"

#include "ColorMaps.h"
#include "DensityCanvas.h"
#include "RowBands.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <memory>
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

// The strip's pixel `x`, `y` as the resolve reads it: the densities of its S x S cells and its
// point colour, counted or smoothed.
class PixelReader {
public:
    explicit PixelReader(const CanvasStrip& strip)
        : strip_(strip), cells_(strip.supersample * strip.supersample)
    {
    }

    void Seek(int x, int y)
    {
        pixel_ = static_cast<std::size_t>(y + strip_.skip) * static_cast<std::size_t>(strip_.width) +
                 static_cast<std::size_t>(x);
        counts_ = strip_.cells.Counts(pixel_);
        if (strip_.smoothed)
            density_ = &strip_.smoothed->density[pixel_ * static_cast<std::size_t>(cells_)];
    }
    [[nodiscard]] int Cells() const { return cells_; }
    [[nodiscard]] double Density(int k) const
    {
        return density_ ? static_cast<double>(density_[k]) : static_cast<double>(counts_[k]);
    }
    // How much of cell k was hit: 0 or 1 counted, up to 1 smoothed.
    [[nodiscard]] float Cover(int k) const
    {
        return density_ ? std::min(density_[k], 1.0f) : static_cast<float>(counts_[k] != 0);
    }
    // Whether no hit reached any of the pixel's cells, counted or smoothed.
    [[nodiscard]] bool Empty() const
    {
        for (int k = 0; k < cells_; ++k)
            if (density_ ? density_[k] != 0.0f : counts_[k] != 0)
                return false;
        return true;
    }
    // The pixel's depth shade, 1 for none.
    [[nodiscard]] float Shade() const { return strip_.shade ? (*strip_.shade)[pixel_] : 1.0f; }
    // The pixel's mean point colour (0..1); false when no hit reached it.
    bool Color(Rgb& color) const
    {
        if (density_) {
            const float* c = &strip_.smoothed->colors[4 * pixel_];
            for (std::size_t k = 0; k < 3; ++k)
                color[k] = c[0] > 0.0f ? c[k + 1] / c[0] : 0.0f;
            return c[0] > 0.0f;
        }
        const ColorSums block = PixelColorSums(strip_.cells, pixel_);
        const double toUnit = block.count ? 1.0 / (255.0 * static_cast<double>(block.count)) : 0.0;
        for (int c = 0; c < 3; ++c)
            color[static_cast<std::size_t>(c)] =
                static_cast<float>(static_cast<double>(block.sums[c]) * toUnit);
        return block.count != 0;
    }

private:
    const CanvasStrip& strip_;
    const int cells_;
    std::size_t pixel_ = 0;
    const std::uint32_t* counts_ = nullptr;
    const float* density_ = nullptr;
};

} // namespace

void CountPixels(const CanvasStrip& strip, DensityHistogram& histogram, int workers)
{
    std::vector<DensityHistogram> parts(static_cast<std::size_t>(std::max(workers, 1)), histogram.Empty());
    const int band = (strip.rows + static_cast<int>(parts.size()) - 1) / static_cast<int>(parts.size());
    InParts(static_cast<int>(parts.size()), [&](int p) {
        PixelReader reader(strip);
        DensityHistogram& part = parts[static_cast<std::size_t>(p)];
        for (int y = p * band; y < std::min((p + 1) * band, strip.rows); ++y)
            for (int x = 0; x < strip.width; ++x) {
                reader.Seek(x, y);
                for (int k = 0; k < reader.Cells(); ++k)
                    part.Add(reader.Density(k));
            }
    });
    for (const DensityHistogram& part : parts)
        histogram.Add(part);
}

namespace {

// The channel values (RGB, and alpha when transparent) of the pixel the reader stands on.
void ResolvePixel(const PixelReader& reader, const ToneCurve& curve, const ResolveStyle& style,
                  float (&out)[4])
{
    const float perCell = 1.0f / static_cast<float>(reader.Cells());
    const bool palette = style.palette != Palette::Coordinates;
    float brightness = 0.0f;
    float lit = 0.0f;
    Rgb paint{};
    for (int k = 0; k < reader.Cells(); ++k) {
        const double density = reader.Density(k);
        const float b = curve.Brightness(density);
        brightness += b;
        lit += reader.Cover(k);
        if (palette) {
            // Opaque, a cell nothing hit shows the background; transparent, each cell's
            // colour weighs by its own opacity.
            Rgb c = style.background;
            if (density > 0.0) {
                c = PaletteColor(style.palette, b);
                if (style.blend) {
                    const float opacity = std::sqrt(b);
                    for (std::size_t i = 0; i < 3; ++i)
                        c[i] = style.background[i] + (c[i] - style.background[i]) * opacity;
                }
            }
            const float weight = style.transparent ? b * static_cast<float>(density > 0.0) : 1.0f;
            for (std::size_t i = 0; i < 3; ++i)
                paint[i] += c[i] * weight;
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
        opacity = reader.Color(color) ? brightness : 0.0f;
        const float close = style.transparent ? 0.0f : Closeness(color, style.background);
        if (lit > 0.0f && close > 0.0f) {
            const float coverage = lit * perCell;
            const Rgb readable = Readable(color, style.background, brightness / coverage, coverage);
            for (std::size_t c = 0; c < 3; ++c) {
                const float plain = style.background[c] + (color[c] - style.background[c]) * opacity;
                color[c] = plain + (readable[c] - plain) * close;
            }
            opacity = 1.0f;
        }
    }
    const float shade = reader.Shade();
    if (style.transparent) {
        for (std::size_t c = 0; c < 3; ++c)
            out[c] = color[c] * shade;
        out[3] = opacity;
        return;
    }
    const float darken = 1.0f - (1.0f - shade) * lit * perCell;
    for (std::size_t c = 0; c < 3; ++c)
        out[c] = (style.background[c] + (color[c] - style.background[c]) * opacity) * darken;
}

// Resolves the picture rows [first, end) of the strip into `band`, whose first row is `first`.
void ResolveRows(const CanvasStrip& strip, const ToneCurve& curve, const ResolveStyle& style, int first,
                 int end, Picture& band)
{
    const int channels = style.transparent ? 4 : 3;
    const std::size_t pixelBytes = band.RowBytes() / static_cast<std::size_t>(band.Width());
    PixelReader reader(strip);
    // Every pixel that nothing reached resolves to the same bytes; most of a picture is such
    // background: the first one's bytes are copied to the others.
    const std::uint8_t* empty = nullptr;
    for (int y = first; y < end; ++y) {
        std::uint8_t* const row = band.Row(y - first);
        for (int x = 0; x < strip.width; ++x) {
            reader.Seek(x, y);
            std::uint8_t* const pixel = row + static_cast<std::size_t>(x) * pixelBytes;
            const bool nothing = reader.Empty();
            if (nothing && empty) {
                std::memcpy(pixel, empty, pixelBytes);
                continue;
            }
            float out[4]{};
            ResolvePixel(reader, curve, style, out);
            for (int c = 0; c < channels; ++c)
                band.SetSample(x, y - first, c, out[c]);
            if (nothing)
                empty = pixel;
        }
    }
}

} // namespace

ResolveStyle StyleOf(const DensityOptions& o, const Rgb& sceneBackground)
{
    const bool palette = o.palette != Palette::Coordinates;
    ResolveStyle style{o.palette, sceneBackground, o.depth, o.transparent};
    if (o.background)
        style.background = *o.background;
    else if (palette)
        style.background = PaletteColor(o.palette, 0.0f);
    style.blend = palette && o.background && !o.transparent;
    return style;
}

void ResolveStrip(const CanvasStrip& strip, const ToneCurve& curve, const ResolveStyle& style, int workers,
                  const BandSink& sink)
{
    const int channels = style.transparent ? 4 : 3;
    const int bands = (strip.rows + RESOLVE_BAND_ROWS - 1) / RESOLVE_BAND_ROWS;
    std::vector<Picture> resolved(static_cast<std::size_t>(bands));
    const auto done = std::make_unique<std::atomic<bool>[]>(static_cast<std::size_t>(bands));
    std::atomic<int> next{0};
    // Bands are independent: the workers take them in order from the top.
    const auto work = [&] {
        for (int b = next.fetch_add(1); b < bands; b = next.fetch_add(1)) {
            const int first = b * RESOLVE_BAND_ROWS, end = std::min(first + RESOLVE_BAND_ROWS, strip.rows);
            Picture band(strip.width, end - first, style.depth, channels);
            ResolveRows(strip, curve, style, first, end, band);
            const auto i = static_cast<std::size_t>(b);
            resolved[i] = std::move(band);
            done[i].store(true, std::memory_order_release);
            done[i].notify_one();
        }
    };
    std::vector<std::jthread> threads;
    for (int w = 0; w < std::min(workers, bands); ++w)
        threads.emplace_back(work);
    for (std::size_t i = 0; i < resolved.size(); ++i) {
        done[i].wait(false, std::memory_order_acquire);
        sink(resolved[i], static_cast<int>(i) * RESOLVE_BAND_ROWS);
        resolved[i] = Picture();
    }
}

} // namespace zephyra
