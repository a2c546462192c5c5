#pragma once
#include "CPanelGrouped.h"

namespace zephyra {

// The saved attractors, the content of the open document, grouped by case, with Clear, Open, Save,
// Add and Remove. Removing one marks the document modified.
class CPanelSaved final : public CPanelGrouped {
    Q_OBJECT
public:
    CPanelSaved(CZephyraDoc& doc, CommandSink sendCommand, QWidget* parent);

protected:
    void SetupButtons() override;
};

} // namespace zephyra
