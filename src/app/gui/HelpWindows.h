#pragma once
#include <QString>

class QWidget;

namespace zephyra {

// Help > Zephyra Explorer Help (F1): the guide to the program, beside the main window (it stays
// open while the user works; a second request brings it to the front).
void ShowHelpGuide(QWidget* parent);
// Help > Keyboard Shortcuts: the accelerator table, one row a command.
void ShowKeyboardShortcuts(QWidget* parent);

// The accelerator table as an HTML table, in the order of the table: the guide and the shortcuts
// window both show it, so neither can drift from the keys the program has.
[[nodiscard]] QString ShortcutsTableHtml();

} // namespace zephyra
