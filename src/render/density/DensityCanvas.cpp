#include "DensityCanvas.h"

#include "RowBands.h"

#include <algorithm>

namespace zephyra {

namespace {

WideCell Widen(std::size_t index, const ColorCell& c)
{
    return {index, c.count, {c.red, c.green, c.blue}};
}

void AddWide(std::vector<WideCell>& wide, const WideCell& add)
{
    auto w = std::find_if(wide.begin(), wide.end(), [&](const WideCell& c) { return c.index == add.index; });
    if (w == wide.end())
        w = wide.insert(wide.end(), WideCell{add.index, 0, {}});
    w->count += add.count;
    for (int k = 0; k < 3; ++k)
        w->sums[k] += add.sums[k];
}

} // namespace

void SpillCell(const CanvasCells& canvas, std::size_t index)
{
    // A worker fills at most hits / CELL_COUNT_LIMIT cells, all reserved: this never allocates.
    AddWide(*canvas.wide, Widen(index, canvas.Cell(index)));
    canvas.Cell(index) = {};
}

ColorSums PixelColorSums(const CanvasCells& cells, std::size_t pixel)
{
    const ColorCell& c = cells.Cell(pixel);
    ColorSums block{c.count, {c.red, c.green, c.blue}};
    const std::vector<WideCell>& wide = *cells.wide;
    const auto w = std::lower_bound(wide.begin(), wide.end(), pixel,
                                    [](const WideCell& a, std::size_t index) { return a.index < index; });
    if (w != wide.end() && w->index == pixel) {
        block.count += w->count;
        for (int k = 0; k < 3; ++k)
            block.sums[k] += w->sums[k];
    }
    return block;
}

bool DensityCanvas::Allocate(std::size_t pixels, int supersample, int workers, bool colors, bool depth,
                             std::uint64_t hits)
{
    records_.clear();
    pixels_ = pixels;
    layout_ = {};
    layout_.colorWords = colors ? static_cast<int>(sizeof(ColorCell) / sizeof(std::uint32_t)) : 0;
    layout_.depthWords = depth ? CanvasCells::DEPTH_WORDS : 0;
    layout_.supersample = supersample;
    wide_ = std::make_unique<std::vector<WideCell>[]>(static_cast<std::size_t>(workers));
    for (int w = 0; w < workers; ++w)
        wide_[static_cast<std::size_t>(w)].reserve(colors ? hits / CELL_COUNT_LIMIT + 1 : 0);
    for (int w = 0; w < workers; ++w) {
        records_.push_back(MapZeroedPages(pixels * PixelBytes(supersample, colors, depth)));
        if (!records_.back()) {
            records_.clear();
            return false;
        }
    }
    return true;
}

void DensityCanvas::Touch() const
{
    for (const ZeroedPages& record : records_)
        TouchPages(record.get(), record.get_deleter().bytes);
}

CanvasCells DensityCanvas::Worker(int worker) const
{
    const auto w = static_cast<std::size_t>(worker);
    CanvasCells c = layout_;
    c.wide = &wide_[w];
    c.words = static_cast<std::uint32_t*>(records_[w].get());
    return c;
}

void DensityCanvas::Merge(int workers)
{
    const CanvasCells sum = Worker(0);
    const auto counts = static_cast<std::size_t>(layout_.supersample * layout_.supersample);
    const auto parts = static_cast<std::size_t>(std::max(workers, 1));
    const std::size_t share = (pixels_ + parts - 1) / parts;
    // Cells whose sums outgrow 32 bits, gathered by each part and added once the parts are done.
    std::vector<std::vector<WideCell>> spilled(parts);
    for (std::size_t w = 1; w < records_.size(); ++w) {
        const CanvasCells part = Worker(static_cast<int>(w));
        InParts(static_cast<int>(parts), [&](int p) {
            const std::size_t first = static_cast<std::size_t>(p) * share,
                              end = std::min(pixels_, first + share);
            for (std::size_t i = first; i < end; ++i) {
                std::uint32_t* to = sum.Counts(i);
                const std::uint32_t* from = part.Counts(i);
                for (std::size_t k = 0; k < counts; ++k) {
                    const std::uint64_t total = std::uint64_t{to[k]} + from[k];
                    to[k] = total > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(total);
                }
            }
            for (std::size_t i = first; layout_.depthWords && i < end; ++i)
                sum.AddDepth(i, part.DepthSum(i));
            for (std::size_t i = first; layout_.colorWords && i < end; ++i) {
                ColorCell& to = sum.Cell(i);
                const ColorCell& from = part.Cell(i);
                if (from.count == 0)
                    continue;
                // Both hold less than CELL_COUNT_LIMIT hits; a sum that reaches it goes wide.
                if (std::uint64_t{to.count} + from.count >= CELL_COUNT_LIMIT) {
                    spilled[static_cast<std::size_t>(p)].push_back(Widen(i, to));
                    spilled[static_cast<std::size_t>(p)].push_back(Widen(i, from));
                    to = {};
                    continue;
                }
                to.count += from.count;
                to.red += from.red;
                to.green += from.green;
                to.blue += from.blue;
            }
        });
        for (std::vector<WideCell>& cells : spilled) {
            for (const WideCell& c : cells)
                AddWide(*sum.wide, c);
            cells.clear();
        }
        for (const WideCell& c : *part.wide)
            AddWide(*sum.wide, c);
    }
    std::sort(sum.wide->begin(), sum.wide->end(),
              [](const WideCell& a, const WideCell& b) { return a.index < b.index; });
}

} // namespace zephyra
