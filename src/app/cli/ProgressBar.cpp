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
    // Blanks erase what a longer line left: no escape sequence, so a dumb terminal shows it too.
    const std::size_t length = line.size();
    line.append(shown_ > length ? shown_ - length : 0, ' ');
    terminal_ << line << std::flush;
    shown_ = length;
}

void ProgressBar::Clear()
{
    if (shown_ > 0)
        terminal_ << "\r" << std::string(shown_, ' ') << "\r" << std::flush;
    shown_ = 0;
}

} // namespace zephyra::cli
