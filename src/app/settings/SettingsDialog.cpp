#include "SettingsDialog.h"

#include "CSettingsSheet.h"
#include "CZephyraDoc.h"

namespace zephyra {

void ShowSettingsDialog(CZephyraDoc& doc, QWidget* parent)
{
    if (!doc.current) // the attractor page edits the current attractor
        return;
    CSettingsSheet sheet(doc, parent);
    sheet.exec();
}

} // namespace zephyra
