#pragma once
#include "ProgressBar.h"

#include <stop_token>

namespace zephyra::cli {

class CliHost;
struct CommandIo;

// The progress of a long job on the command line: the bar on a terminal, and Ctrl+C, which the host
// catches, stops the job between two reports (a tenth of a second apart). The bar is cleared when
// it ends.
class CommandProgress {
public:
    CommandProgress(CliHost& host, CommandIo& io);
    ~CommandProgress();
    CommandProgress(const CommandProgress&) = delete;
    CommandProgress& operator=(const CommandProgress&) = delete;

    // Called with the share of the job done.
    void operator()(double fraction);
    [[nodiscard]] std::stop_token Token() const { return stop_.get_token(); }
    [[nodiscard]] bool Stopped() const { return stop_.stop_requested(); }
    // Clears the bar, so that a note or the outcome starts on a clean line.
    void Clear() { bar_.Clear(); }

private:
    CliHost& host_;
    CommandIo& io_;
    ProgressBar bar_;
    std::stop_source stop_;
};

} // namespace zephyra::cli
