#include "BatchSearch.h"

#include "OrderedFinds.h"
#include "StatusServices.h"
#include "StatusTexts.h"

#include <chrono>
#include <optional>
#include <ostream>

namespace zephyra::cli {

namespace {
constexpr std::chrono::milliseconds POLL{100};

// One self-overwriting line on a terminal.
class ProgressLine {
public:
    explicit ProgressLine(CommandIo& io) : err_(io.err), shown_(io.ShowsProgress()) {}
    ~ProgressLine()
    {
        if (shown_)
            err_ << "\r\033[K" << std::flush;
    }

    void Show(std::size_t found, std::size_t wanted, std::uint64_t tries, double seconds)
    {
        if (!shown_ || seconds <= 0.0)
            return;
        err_ << "\r\033[K" << found << " of " << wanted << " found, "
             << FormatFixed(static_cast<double>(tries) / seconds, 0) << " tries/s" << std::flush;
    }

private:
    std::ostream& err_;
    bool shown_;
};
} // namespace

BatchResult RunBatch(const FindSearch::Settings& settings, FindSearch::MakeTry makeTry, std::size_t count,
                     RunServices& escape, CommandIo& io)
{
    BatchResult result;
    OrderedFinds finds;
    const auto begin = std::chrono::steady_clock::now();
    auto seconds = [&begin] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    };
    {
        ProgressLine progress(io);
        FindSearch search(settings, std::move(makeTry), [&finds](Find&& f) { finds.Add(std::move(f)); });
        for (;;) {
            if (auto first = finds.First(count, search.Frontier())) {
                result.finds = std::move(*first);
                break;
            }
            if (!search.Running()) {
                result.outOfMemory = search.OutOfMemory();
                break;
            }
            if (escape.EscapePressed()) {
                result.cancelled = true;
                break;
            }
            progress.Show(finds.Count(), count, search.Tries(), seconds());
            finds.Wait(POLL);
        }
        result.tries = search.Tries();
        // Leaving the scope stops the workers and waits for them, so every find is in.
    }
    result.seconds = seconds();
    if (result.finds.empty()) {
        result.finds = finds.All();
        if (result.finds.size() > count)
            result.finds.resize(count);
    }
    return result;
}

} // namespace zephyra::cli
