#pragma once
#include <chrono>
#include <cstddef>
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
    std::size_t shown_ = 0; // the length of the line on the terminal, 0 when none is
};

} // namespace zephyra::cli
