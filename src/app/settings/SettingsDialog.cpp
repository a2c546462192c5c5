#include "SettingsDialog.h"

#include "CZephyraDoc.h"

#include <QWidget>

namespace zephyra {

void ShowSettingsDialog(CZephyraDoc& doc, QWidget* parent)
{
    (void)doc;
    (void)parent;
}

} // namespace zephyra
