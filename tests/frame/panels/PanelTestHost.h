#pragma once
#include "CPanel.h"
#include "CZephyraDoc.h"
#include "FakeHost.h"

#include <QTreeWidget>

#include <memory>
#include <vector>

namespace zephyra::testing {

// A document, one panel on it shown in a window, and the commands its buttons sent.
struct PanelFixture {
    explicit PanelFixture(int panelCode) : doc(host, nullptr, 12345)
    {
        doc.SetObserver(&host);
        panel = CreatePanel(
            panelCode, doc, [this](int id) { sent.push_back(id); }, nullptr);
        host.receivers.push_back([this](int hint) {
            if (panel)
                panel->OnUpdate(hint);
        });
        panel->resize(320, 600);
        panel->show();
    }
    // A record of a code with the thumbnail of its shape.
    [[nodiscard]] AttractorRef Record(const char* code) const;
    // The framework's first update of a view.
    void InitialUpdate() { doc.UpdateAllViews(UH_ALL); }
    [[nodiscard]] QTreeWidget& Tree() const { return *panel->Tree(); }

    FakeHost host;
    CZephyraDoc doc;
    std::unique_ptr<CPanel> panel;
    std::vector<int> sent;
};

// The item reached from the top level through child texts, e.g. {"ODE Attractors", "3D Attractors"}.
[[nodiscard]] QTreeWidgetItem* FindItem(const QTreeWidget& tree, const std::vector<QString>& path);
// The texts of an item's children (the top level for null).
[[nodiscard]] QStringList ChildTexts(const QTreeWidget& tree, const QTreeWidgetItem* item);
// A click on the button of a command id in the panel's button row.
void ClickButton(CPanel& panel, int id);
// A double click on an item, as a person makes it.
void DoubleClick(QTreeWidget& tree, QTreeWidgetItem* item);

} // namespace zephyra::testing
