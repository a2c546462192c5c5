#pragma once
#include <csignal>
#include <sstream>

namespace zephyra::testing {

// A terminal stream that presses Ctrl+C when the progress bar is first drawn.
class InterruptingBuffer : public std::stringbuf {
protected:
    int sync() override
    {
        if (!str().empty())
            std::raise(SIGINT);
        return std::stringbuf::sync();
    }
};

} // namespace zephyra::testing
