#pragma once
#include <QElapsedTimer>
#include <QString>
#include <QTimer>

#include <array>

class QStatusBar;

namespace zephyra {

class StatusPane;

// The five text panes of the status bar. Pane 0 stretches and carries the menu and toolbar
// prompts; its idle text is "Ready". Panes 1 to 3 have fixed widths (wide enough for their
// widest text); pane 4 is as wide as its text needs, up to 2200 pixels. In a window too narrow
// for all, the widest panes give way first and elide their texts.
class StatusPanes {
public:
    static constexpr int PaneCount = 5;

    explicit StatusPanes(QStatusBar& bar);

    // Sets the text and repaints the panes at once, also in the middle of a long run, but at most
    // every quarter second: each repaint of a window with an OpenGL view composes the whole window
    // again (36 ms with llvmpipe), so a run that wrote its progress a hundred times took seven times
    // as long as without a window. A text that has to wait is shown when the quarter second is over.
    void SetText(int pane, const QString& text);
    // The latest text set, shown or still waiting.
    [[nodiscard]] QString Text(int pane) const;
    // A prompt of a highlighted menu item or button, or the idle text when the prompt is empty.
    void ShowPrompt(const QString& prompt);
    // What pane 0 shows in place of "Ready" (the 4D turn of the attractor), and at once when it is
    // not empty; empty for "Ready".
    void SetIdleText(const QString& text);

private:
    void ShowWaitingTexts();

    QStatusBar& bar_;
    std::array<StatusPane*, PaneCount> panes_{};
    std::array<QString, PaneCount> texts_{};
    QElapsedTimer sinceRepaint_;
    QString idle_;
    QTimer waiting_;
};

} // namespace zephyra
