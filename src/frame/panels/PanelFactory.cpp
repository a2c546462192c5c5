#include "CPanel.h"
#include "CPanelFavorites.h"
#include "CPanelGallery.h"
#include "CPanelHistory.h"
#include "CPanelMeasurements.h"
#include "CPanelParameterMap.h"
#include "CPanelSaved.h"
#include "CPanelSelect.h"
#include "StatusServices.h"

namespace zephyra {

std::unique_ptr<CPanel> CreatePanel(int panelCode, CZephyraDoc& doc, CPanel::CommandSink sendCommand,
                                    QWidget* parent)
{
    switch (panelCode) {
    case PANEL_CASES:
        return std::make_unique<CPanelSelect>(doc, std::move(sendCommand), parent);
    case PANEL_SAVED:
        return std::make_unique<CPanelSaved>(doc, std::move(sendCommand), parent);
    case PANEL_FAVORITES:
        return std::make_unique<CPanelFavorites>(doc, std::move(sendCommand), parent);
    case PANEL_HISTORY:
        return std::make_unique<CPanelHistory>(doc, std::move(sendCommand), parent);
    case PANEL_GALLERY:
        return std::make_unique<CPanelGallery>(doc, std::move(sendCommand), parent);
    case PANEL_MEASUREMENTS:
        return std::make_unique<CPanelMeasurements>(doc, std::move(sendCommand), parent);
    case PANEL_PARAMETER_MAP:
        return std::make_unique<CPanelParameterMap>(doc, std::move(sendCommand), parent);
    default:
        return nullptr;
    }
}

} // namespace zephyra
