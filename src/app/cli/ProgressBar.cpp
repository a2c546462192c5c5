#include "ProgressBar.h"

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>

namespace zephyra::cli {

namespace {
constexpr int BAR_WIDTH = 30;
// Estimates need a little work done before they mean anything.
constexpr double FIRST_ESTIMATE = 0.02;
} // namespace

ProgressBar::ProgressBar(std::ostream& terminal)
    : terminal_(terminal), start_(std::chrono::steady_clock::now())
{
}

void ProgressBar::Show(double fraction)
{
    fraction = std::clamp(fraction, 0.0, 1.0);
    const int filled = static_cast<int>(fraction * BAR_WIDTH);
    std::string line = "\r[" + std::string(static_cast<std::size_t>(filled), '#') +
                       std::string(static_cast<std::size_t>(BAR_WIDTH - filled), ' ') + "] " +
                       std::to_string(static_cast<int>(fraction * 100.0)) + "%";
    if (fraction >= FIRST_ESTIMATE) {
        const double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
        const long left = std::lround(elapsed * (1.0 - fraction) / fraction);
        line += "  " + std::to_string(left / 60) + ":" + (left % 60 < 10 ? "0" : "") +
                std::to_string(left % 60) + " left";
    }
    terminal_ << line << "\x1b[K" << std::flush; // erase what a longer line left
    shown_ = true;
}

void ProgressBar::Clear()
{
    if (shown_)
        terminal_ << "\r\x1b[K" << std::flush;
    shown_ = false;
}

} // namespace zephyra::cli
