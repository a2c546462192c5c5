#pragma once

class QWidget;

namespace zephyra {

class CZephyraDoc;

// Shows the modal "Settings" sheet for the document, which takes what the pages transfer.
void ShowSettingsDialog(CZephyraDoc& doc, QWidget* parent);

} // namespace zephyra
