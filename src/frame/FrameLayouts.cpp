#include "FrameLayouts.h"

#include "CPanel.h"
#include "CZephyraView.h"
#include "StatusServices.h"

#include <QSplitter>
#include <QTreeWidget>

#include <algorithm>

namespace zephyra {

namespace {
constexpr int PANEL_WIDTH = 220;
constexpr int panelCodes[] = {PANEL_CASES,   PANEL_SAVED,        PANEL_FAVORITES,    PANEL_HISTORY,
                              PANEL_GALLERY, PANEL_MEASUREMENTS, PANEL_PARAMETER_MAP};
} // namespace

FrameLayouts::FrameLayouts(CZephyraDoc& doc, std::function<void(int id)> sendCommand, QWidget* parent)
    : QStackedWidget(parent)
{
    auto* plainView = new CZephyraView(doc, this);
    addWidget(plainView);
    layouts_.push_back({PANEL_NONE, plainView, plainView, nullptr});

    for (int code : panelCodes) {
        auto* splitter = new QSplitter(Qt::Horizontal, this);
        splitter->setObjectName(QString("layout%1").arg(code));
        splitter->setChildrenCollapsible(false);
        splitter->setHandleWidth(5);
        CPanel* panel = CreatePanel(code, doc, sendCommand, splitter).release();
        if (panel)
            splitter->addWidget(panel);
        auto* view = new CZephyraView(doc, splitter);
        splitter->addWidget(view);
        splitter->setStretchFactor(splitter->count() - 1, 1);
        // Wide enough for every button and case name: narrower, "Remove" hid behind a chevron.
        const int width = panel ? std::max(PANEL_WIDTH, panel->PreferredWidth()) : PANEL_WIDTH;
        splitter->setSizes({width, 100});
        addWidget(splitter);
        layouts_.push_back({code, splitter, view, panel});
    }
    setCurrentIndex(0);
}

bool FrameLayouts::ShowPanel(int panelCode)
{
    for (std::size_t i = 0; i < layouts_.size(); ++i) {
        if (layouts_[i].panelCode != panelCode)
            continue;
        if (i == current_)
            return false;
        current_ = i;
        setCurrentWidget(layouts_[i].window);
        return true;
    }
    return false;
}

std::vector<CZephyraView*> FrameLayouts::Views() const
{
    std::vector<CZephyraView*> views;
    for (const Layout& layout : layouts_)
        views.push_back(layout.view);
    return views;
}

CPanel* FrameLayouts::Panel(int panelCode) const
{
    for (const Layout& layout : layouts_)
        if (layout.panelCode == panelCode)
            return layout.panel;
    return nullptr;
}

void FrameLayouts::UpdateAll(int hint)
{
    for (const Layout& layout : layouts_) {
        layout.view->OnUpdate(hint);
        if (layout.panel)
            layout.panel->OnUpdate(hint);
    }
}

void FrameLayouts::FocusNextPane()
{
    const Layout& layout = layouts_[current_];
    QWidget* view = layout.view;
    const bool viewHasFocus = view->hasFocus();
    if (layout.panel && viewHasFocus)
        layout.panel->Tree()->setFocus(Qt::TabFocusReason);
    else
        view->setFocus(Qt::TabFocusReason);
}

} // namespace zephyra
