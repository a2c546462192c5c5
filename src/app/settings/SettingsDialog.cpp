#include "SettingsDialog.h"

#include "CSettingsSheet.h"
#include "CZephyraDoc.h"

namespace zephyra {

void ShowSettingsDialog(CZephyraDoc& doc, QWidget* parent)
{
    CSettingsSheet sheet(doc, parent);
    sheet.exec();
}

} // namespace zephyra
