#pragma once
#include <QString>

#include <array>

class QLabel;
class QStatusBar;

namespace zephyra {

// The five text panes of the status bar. Pane 0 stretches and carries the menu and toolbar
// prompts; its idle text is "Ready". Panes 1 to 3 have fixed widths (wide enough for their
// widest text); pane 4 is as wide as its text needs, up to 2200 pixels, so the window can still
// be made narrow.
class StatusPanes {
public:
    static constexpr int PaneCount = 5;

    explicit StatusPanes(QStatusBar& bar);

    // Sets the text and repaints the pane at once, also in the middle of a long run.
    void SetText(int pane, const QString& text);
    [[nodiscard]] QString Text(int pane) const;
    // A prompt of a highlighted menu item or button, or the idle text when the prompt is empty.
    void ShowPrompt(const QString& prompt);

private:
    std::array<QLabel*, PaneCount> panes_{};
};

} // namespace zephyra
