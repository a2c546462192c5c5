#include "CPanel.h"

namespace zephyra {

std::unique_ptr<CPanel> CreatePanel(int panelCode, CZephyraDoc& doc, CPanel::CommandSink sendCommand,
                                    QWidget* parent)
{
    (void)panelCode;
    (void)doc;
    (void)sendCommand;
    (void)parent;
    return nullptr; // the concrete panels follow
}

} // namespace zephyra
