#pragma once

class QWidget;

namespace zephyra {

class CZephyraDoc;

// Shows the modal "Settings" sheet for the document; each page applies its own changes.
void ShowSettingsDialog(CZephyraDoc& doc, QWidget* parent);

} // namespace zephyra
