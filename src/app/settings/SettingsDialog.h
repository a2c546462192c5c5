#pragma once

class QWidget;

namespace zephyra {

class CZephyraDoc;

// Shows the modal "Settings" sheet for the document; OK and Apply hand it what the pages changed.
void ShowSettingsDialog(CZephyraDoc& doc, QWidget* parent);

} // namespace zephyra
