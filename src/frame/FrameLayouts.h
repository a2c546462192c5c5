#pragma once
#include "PanelCodes.h"

#include <QStackedWidget>

#include <functional>
#include <vector>

namespace zephyra {

class CPanel;
class CZephyraDoc;
class CZephyraView;

// The five layouts of the client area: the attractor view alone, or a splitter with one of the
// four panels on the left and a view of its own on the right. All five exist for the frame's
// whole life; exactly one is shown, and a switch gives the new one the place of the old.
class FrameLayouts : public QStackedWidget {
    Q_OBJECT
public:
    FrameLayouts(CZephyraDoc& doc, std::function<void(int id)> sendCommand, QWidget* parent);

    // Shows the layout of a PANEL_* code; false when it was already shown or the code is unknown.
    bool ShowPanel(int panelCode);
    [[nodiscard]] int CurrentPanel() const { return layouts_[current_].panelCode; }
    // The view of the layout shown: the one view commands act on.
    [[nodiscard]] CZephyraView& ActiveView() const { return *layouts_[current_].view; }
    [[nodiscard]] std::vector<CZephyraView*> Views() const;
    // The panel of a PANEL_* code, null for PANEL_NONE or a panel that could not be made.
    [[nodiscard]] CPanel* Panel(int panelCode) const;
    // Passes a document update hint to every view and every panel.
    void UpdateAll(int hint);
    // Moves the keyboard focus between the panel and the view of the layout shown.
    void FocusNextPane();

private:
    struct Layout {
        int panelCode;
        QWidget* window;
        CZephyraView* view;
        CPanel* panel;
    };
    std::vector<Layout> layouts_;
    std::size_t current_ = 0;
};

} // namespace zephyra
