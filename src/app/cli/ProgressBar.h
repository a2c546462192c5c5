#pragma once
#include <chrono>
#include <iosfwd>

namespace zephyra::cli {

// One line on a terminal, rewritten in place: a bar, the percentage and the time left.
class ProgressBar {
public:
    explicit ProgressBar(std::ostream& terminal);
    void Show(double fraction);
    // Clears the line, so that what follows starts on a clean one.
    void Clear();

private:
    std::ostream& terminal_;
    std::chrono::steady_clock::time_point start_;
    bool shown_ = false;
};

} // namespace zephyra::cli
