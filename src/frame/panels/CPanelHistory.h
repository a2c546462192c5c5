#pragma once
#include "CPanelEx.h"

namespace zephyra {

// The history of attractors shown, newest first, flat; its selection marks the document's
// historyPosition. Clear, Prev and Next are the document's commands; there is no Remove.
class CPanelHistory final : public CPanelEx {
    Q_OBJECT
public:
    CPanelHistory(CZephyraDoc& doc, CommandSink sendCommand, QWidget* parent);

protected:
    void SetupButtons() override;
    void UpdateTree(int hint) override;

private:
    void SelectHistoryPosition();
    void Select(QTreeWidgetItem* item);
};

} // namespace zephyra
