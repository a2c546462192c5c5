// A 1 000 000-point run of a case P attractor in the window program against the same run without
// a window (what the command line does): the window's cost is its status panes and the one paint
// of the view at the end. Wall time of the fastest of five runs each, taken in turn; needs a display.
#include "BenchAttractors.h"
#include "CMainFrame.h"
#include "CZephyraApp.h"
#include "CZephyraView.h"

#include <QApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <utility>

using namespace zephyra;

namespace {

constexpr int POINTS = 1000000;
constexpr int RUNS = 5;

// The fastest of RUNS runs of each, taken in turn, so that a load on a shared machine falls on both.
std::pair<double, double> FastestOfEach(const std::function<void()>& first,
                                        const std::function<void()>& second)
{
    auto seconds = [](const std::function<void()>& run) {
        const auto start = std::chrono::steady_clock::now();
        run();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    std::pair<double, double> best{1e30, 1e30};
    for (int i = 0; i < RUNS; ++i) {
        best.first = std::min(best.first, seconds(first));
        best.second = std::min(best.second, seconds(second));
    }
    return best;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const AttractorRef attractor = bench::ChaoticAttractor('P', POINTS);

    bench::NullHost host;
    CZephyraDoc bare(host, nullptr, 1);
    QTemporaryDir folder;
    CommandLine line;
    line.config = folder.filePath("zephyra-explorer.xml");
    CZephyraApp app;
    if (!app.InitInstance(line))
        return 1;
    CZephyraDoc& doc = *app.Document();
    CZephyraView& view = app.Frame()->ActiveView();
    const auto [commandLine, window] =
        FastestOfEach([&] { bare.SetAttractor(attractor->Clone(bare.defaults()), SA_NO_SEARCH); },
                      [&] {
                          const int paints = view.PaintCount();
                          doc.SetAttractor(attractor->Clone(doc.defaults()), SA_NO_SEARCH);
                          while (view.PaintCount() == paints)
                              QApplication::processEvents(QEventLoop::WaitForMoreEvents);
                      });

    std::printf("case P, %d points: command line %.3f s, window %.3f s, ratio %.2f (window %dx%d)\n", POINTS,
                commandLine, window, window / commandLine, app.Frame()->width(), app.Frame()->height());
    return 0;
}
