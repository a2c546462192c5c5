#pragma once
#include "CPanelGrouped.h"

namespace zephyra {

// The document's favorites grouped by case, with Clear, Add and Remove. Favorites belong to the
// configuration file, so removing one leaves the document unmodified.
class CPanelFavorites final : public CPanelGrouped {
    Q_OBJECT
public:
    CPanelFavorites(CZephyraDoc& doc, CommandSink sendCommand, QWidget* parent);

protected:
    void SetupButtons() override;
};

} // namespace zephyra
