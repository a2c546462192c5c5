#pragma once
#include "CPanel.h"

namespace zephyra {

// The fixed tree of the 26 cases, titled "Attractors": choosing a case searches a new chaotic
// attractor of it. Prev and Next are the document's commands, not moves in the tree.
class CPanelSelect final : public CPanel {
    Q_OBJECT
public:
    CPanelSelect(CZephyraDoc& doc, CommandSink sendCommand, QWidget* parent);

    // The tree never changes after creation.
    void OnUpdate(int hint) override { (void)hint; }

    // The case letter of an item; 0 for a group node and for no item.
    [[nodiscard]] static char LetterOf(const QTreeWidgetItem* item);

protected:
    void SetupButtons() override;
    void ActivateSelection() override;
};

} // namespace zephyra
