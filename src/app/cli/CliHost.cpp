#include "CliHost.h"

#include <csignal>
#include <ostream>

#include <signal.h>

namespace zephyra::cli {

namespace {
volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int)
{
    interrupted = 1;
}
} // namespace

CliHost::CliHost(std::ostream& err) : err_(err)
{
    interrupted = 0;
    // A shell that started us with Ctrl+C ignored (`trap '' INT`, a background job) keeps it so.
    struct sigaction current {};
    sigaction(SIGINT, nullptr, &current);
    catchesInterrupt_ = current.sa_handler != SIG_IGN;
    if (catchesInterrupt_)
        std::signal(SIGINT, OnInterrupt);
}

CliHost::~CliHost()
{
    if (catchesInterrupt_)
        std::signal(SIGINT, SIG_DFL);
}

void CliHost::ShowStatus(int pane, const std::string& text)
{
    if (pane >= 0 && pane < static_cast<int>(panes_.size()))
        panes_[static_cast<std::size_t>(pane)] = text;
}

bool CliHost::EscapePressed()
{
    // Like the Escape key: a press counts once, at the next poll.
    const bool pressed = interrupted != 0;
    interrupted = 0;
    return pressed;
}

void CliHost::MessageBox(const std::string& text, const std::string& title, MessageIcon)
{
    messageShown_ = true;
    err_ << prefix_ << title << ": " << text << "\n";
}

} // namespace zephyra::cli
