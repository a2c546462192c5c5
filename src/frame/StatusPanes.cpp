#include "StatusPanes.h"

#include "StatusPane.h"
#include "StatusTexts.h"

#include <QStatusBar>

#include <algorithm>

namespace zephyra {

namespace {

// Pane 0 stretches from its width over what the others leave.
constexpr int fixedWidths[] = {120, 130, 80, 120};
constexpr int LAST_PANE_MAX_WIDTH = 2200;
constexpr int REPAINT_INTERVAL_MS = 250;
// The widest text each fixed pane takes; the widths above assume a small system font, so a pane
// grows to its widest text where the font is larger.
const char* const widestTexts[] = {"", "Case P (D:4 O:5 M:504)", " 10000000 points",
                                   " l = -0.000  f = 0.000"};

int PaneWidth(const QLabel& label, int pane)
{
    const int textWidth = label.fontMetrics().horizontalAdvance(widestTexts[pane]);
    return std::max(fixedWidths[pane], textWidth + 2 * label.frameWidth() + 6);
}

} // namespace

StatusPanes::StatusPanes(QStatusBar& bar) : bar_(bar)
{
    bar.setSizeGripEnabled(false);
    for (int i = 0; i < PaneCount; ++i) {
        auto* pane = new StatusPane(&bar);
        pane->setObjectName(QString("statusPane%1").arg(i));
        if (i < PaneCount - 1)
            pane->SetPreferredWidth(PaneWidth(*pane, i));
        else
            pane->setMaximumWidth(LAST_PANE_MAX_WIDTH);
        if (i == 0)
            bar.addWidget(pane, 1);
        else
            bar.addPermanentWidget(pane);
        panes_[i] = pane;
    }
    panes_[0]->setText(TEXT_READY);
    texts_[0] = idle_ = TEXT_READY;
    waiting_.setSingleShot(true);
    QObject::connect(&waiting_, &QTimer::timeout, [this] { ShowWaitingTexts(); });
}

void StatusPanes::SetText(int pane, const QString& message)
{
    // "Ready", and the "Done" of a run while the view is turned, give way to the 4D turn, which
    // stays in sight as long as the view is turned.
    const bool idle = message == TEXT_READY || (message == TEXT_DONE && idle_ != TEXT_READY);
    const QString& text = pane == 0 && idle ? idle_ : message;
    // A run writes the same text at every one of its first 5000 steps; only a change is worth
    // a repaint.
    if (pane < 0 || pane >= PaneCount || texts_[pane] == text)
        return;
    texts_[pane] = text;
    if (waiting_.isActive())
        return;
    if (!sinceRepaint_.isValid() || sinceRepaint_.elapsed() >= REPAINT_INTERVAL_MS)
        ShowWaitingTexts();
    else
        waiting_.start(static_cast<int>(REPAINT_INTERVAL_MS - sinceRepaint_.elapsed()));
}

void StatusPanes::ShowWaitingTexts()
{
    bool changed = false;
    for (int i = 0; i < PaneCount; ++i)
        if (panes_[i]->text() != texts_[i]) {
            panes_[i]->setText(texts_[i]);
            changed = true;
        }
    // One repaint of the bar for every pane that changed: the window is composed once.
    if (changed)
        bar_.repaint();
    sinceRepaint_.start();
}

QString StatusPanes::Text(int pane) const
{
    return pane >= 0 && pane < PaneCount ? texts_[pane] : QString();
}

void StatusPanes::ShowPrompt(const QString& prompt)
{
    SetText(0, prompt.isEmpty() ? idle_ : prompt);
}

void StatusPanes::SetIdleText(const QString& text)
{
    const QString idle = text.isEmpty() ? QString(TEXT_READY) : text;
    if (idle == idle_)
        return;
    // A new turn shows at once; "Ready" comes back only in place of the old turn, so that a prompt
    // or a message stays.
    const bool showing = texts_[0] == idle_;
    idle_ = idle;
    if (showing || !text.isEmpty())
        SetText(0, idle_);
}

} // namespace zephyra
