#pragma once
#include "DocumentHost.h"

#include <array>
#include <iosfwd>
#include <string>
#include <utility>

namespace zephyra::cli {

// The document's host on a terminal: keeps the latest text of every status pane, writes message
// boxes to stderr, and reports Ctrl+C as Escape so that a long search can be stopped cleanly.
class CliHost : public DocumentHost {
public:
    explicit CliHost(std::ostream& err);
    ~CliHost() override;
    CliHost(const CliHost&) = delete;
    CliHost& operator=(const CliHost&) = delete;

    [[nodiscard]] const std::string& Status(int pane) const { return panes_[static_cast<std::size_t>(pane)]; }
    // Whether a message box was shown since the host was made.
    [[nodiscard]] bool MessageShown() const { return messageShown_; }
    // What message boxes begin with from now on: the command and the code they are about.
    void SetMessagePrefix(std::string prefix) { prefix_ = std::move(prefix); }

    void ShowStatus(int pane, const std::string& text) override;
    void ShowCode(const Attractor&) override {}
    void BeginBusy() override {}
    void EndBusy() override {}
    [[nodiscard]] bool EscapePressed() override;
    void MessageBox(const std::string& text, const std::string& title, MessageIcon icon) override;

private:
    std::ostream& err_;
    std::array<std::string, 5> panes_;
    std::string prefix_;
    bool messageShown_ = false;
    bool catchesInterrupt_ = false; // false when Ctrl+C was ignored before us
};

} // namespace zephyra::cli
