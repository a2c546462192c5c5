#include "ContactSheet.h"

#include "FindThumbnail.h"
#include "LabelFont.h"
#include "StatusTexts.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>

namespace zephyra {

namespace {
constexpr int MOST_COLUMNS = 6;
constexpr int MARGIN = 10;
constexpr int LABEL_PIXELS = 12;
constexpr int LABEL_HEIGHT = 2 * LABEL_PIXELS + 10;
constexpr int CELL_WIDTH = SHEET_THUMBNAIL_SIZE + MARGIN;
constexpr int CELL_HEIGHT = SHEET_THUMBNAIL_SIZE + LABEL_HEIGHT + MARGIN;
constexpr std::size_t CODE_LETTERS = 16;
constexpr Rgb GROUND{0.07f, 0.07f, 0.08f};
constexpr Rgb CODE_INK{0.92f, 0.92f, 0.95f};
constexpr Rgb MEASURE_INK{0.62f, 0.64f, 0.70f};

std::vector<std::optional<Picture>> RenderThumbnails(const std::vector<Find>& finds, int jobs,
                                                     std::stop_token stop)
{
    std::vector<std::optional<Picture>> thumbnails(finds.size());
    std::atomic<std::size_t> next{0};
    {
        std::vector<std::jthread> workers;
        for (int w = 0; w < std::max(jobs, 1); ++w)
            workers.emplace_back([&] {
                for (std::size_t i = next++; i < finds.size() && !stop.stop_requested(); i = next++)
                    thumbnails[i] = RenderFindThumbnail(finds[i], SHEET_THUMBNAIL_SIZE, stop);
            });
    }
    return thumbnails;
}

std::string CodeLabel(const std::string& code)
{
    return code.size() <= CODE_LETTERS ? code : code.substr(0, CODE_LETTERS - 1) + "~";
}
} // namespace

std::optional<Picture> RenderContactSheet(const std::vector<Find>& finds, int jobs, std::stop_token stop)
{
    const std::vector<std::optional<Picture>> thumbnails = RenderThumbnails(finds, jobs, stop);
    if (stop.stop_requested())
        return std::nullopt;
    const int count = static_cast<int>(finds.size());
    const int columns = std::clamp(count, 1, MOST_COLUMNS);
    const int rows = std::max(1, (count + columns - 1) / columns);
    Picture sheet(columns * CELL_WIDTH + MARGIN, rows * CELL_HEIGHT + MARGIN, 8);
    for (int y = 0; y < sheet.Height(); ++y)
        for (int x = 0; x < sheet.Width(); ++x)
            for (int k = 0; k < 3; ++k)
                sheet.SetSample(x, y, k, GROUND[static_cast<std::size_t>(k)]);
    const LabelFont font(LABEL_PIXELS);
    for (int i = 0; i < count; ++i) {
        const int left = MARGIN + (i % columns) * CELL_WIDTH;
        const int top = MARGIN + (i / columns) * CELL_HEIGHT;
        if (const auto& thumbnail = thumbnails[static_cast<std::size_t>(i)])
            for (int y = 0; y < thumbnail->Height(); ++y)
                std::memcpy(sheet.Row(top + y) + 3 * left, thumbnail->Row(y), thumbnail->RowBytes());
        const Find& find = finds[static_cast<std::size_t>(i)];
        const int labelTop = top + SHEET_THUMBNAIL_SIZE + 4;
        font.Draw(sheet, left, labelTop, CodeLabel(find.code), CODE_INK);
        font.Draw(sheet, left, labelTop + LABEL_PIXELS + 3,
                  "l " + FormatFixed(find.lyapunov, 3) + " f " + FormatFixed(find.fractalDim, 2) + " fill " +
                      FormatFixed(find.fill, 2),
                  MEASURE_INK);
    }
    return sheet;
}

} // namespace zephyra
