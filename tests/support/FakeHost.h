#pragma once
#include "Attractor.h"
#include "DocumentHost.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace zephyra::testing {

// A DocumentHost that records everything the engine and the document tell the window (the hints
// too, once it is the document's observer), and plays back a scripted Escape. Header-only so that every test
// program can use it.
class FakeHost : public DocumentHost, public DocumentObserver {
public:
    // One ShowStatus call; identical calls in a row are folded into one entry with a repeat count.
    struct StatusEntry {
        int pane = 0;
        std::string text;
        int iteration = 0; // escape polls since the latest BeginBusy when it was written
        int repeats = 1;
    };
    struct MessageEntry {
        std::string text, title;
        MessageIcon icon = MessageIcon::Information;
    };
    struct CodeEntry {
        std::string code;
        int position = 0;
    };
    // What the escape script sees at each poll.
    struct Poll {
        int total = 0;     // polls since the host was made, 0 for the first
        int iteration = 0; // polls since the latest BeginBusy: the iteration of the running try
        int run = 0;       // the try being polled: 1 for the first run that polled since the host was made
    };

    // --- recordings
    std::vector<StatusEntry> statusHistory;
    std::map<int, std::string> status; // latest text of each pane
    std::vector<CodeEntry> codes;
    std::vector<int> hints;
    std::vector<MessageEntry> messages;
    int busyDepth = 0;
    int busyCalls = 0;
    int polls = 0;

    // --- scripts
    // Hear every hint after it is recorded, as the main window passes it on to views and panels.
    std::vector<std::function<void(int)>> receivers;
    // Escape is reported when this returns true; unset, it never is.
    std::function<bool(const Poll&)> escapeScript;

    // Escape at one iteration of a try; `run` 1 is the first try that polled, 0 any try.
    void EscapeAtIteration(int iteration, int run = 0)
    {
        escapeScript = [iteration, run](const Poll& p) {
            return p.iteration == iteration && (run == 0 || p.run == run);
        };
    }
    // Escape at the n-th poll (0-based) since the host was made.
    void EscapeAtPoll(int total)
    {
        escapeScript = [total](const Poll& p) { return p.total == total; };
    }

    [[nodiscard]] std::string Status(int pane) const
    {
        const auto it = status.find(pane);
        return it == status.end() ? std::string() : it->second;
    }
    // Every text written to one pane, in order, with folded repeats.
    [[nodiscard]] std::vector<StatusEntry> PaneHistory(int pane) const
    {
        std::vector<StatusEntry> result;
        for (const StatusEntry& e : statusHistory)
            if (e.pane == pane)
                result.push_back(e);
        return result;
    }
    void ClearRecordings()
    {
        statusHistory.clear();
        status.clear();
        codes.clear();
        hints.clear();
        messages.clear();
    }

    // --- StatusServices
    void ShowStatus(int pane, const std::string& text) override
    {
        status[pane] = text;
        if (!statusHistory.empty()) {
            StatusEntry& last = statusHistory.back();
            if (last.pane == pane && last.text == text) {
                ++last.repeats;
                return;
            }
        }
        statusHistory.push_back({pane, text, iteration_, 1});
    }
    void ShowCode(const Attractor& attractor) override
    {
        codes.push_back({attractor.code, attractor.position});
    }

    // --- RunServices
    void BeginBusy() override
    {
        ++busyDepth;
        ++busyCalls;
        iteration_ = 0;
    }
    void EndBusy() override { --busyDepth; }
    bool EscapePressed() override
    {
        if (iteration_ == 0)
            ++runs_;
        const Poll poll{polls++, iteration_++, runs_};
        return escapeScript && escapeScript(poll);
    }

    // --- MessageServices, DocumentObserver
    void MessageBox(const std::string& text, const std::string& title, MessageIcon icon) override
    {
        messages.push_back({text, title, icon});
    }
    void OnDocumentChanged(int hint) override
    {
        hints.push_back(hint);
        for (const auto& receiver : receivers)
            receiver(hint);
    }

private:
    int iteration_ = 0;
    int runs_ = 0;
};

} // namespace zephyra::testing
