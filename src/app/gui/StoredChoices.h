#pragma once
#include <QSettings>

namespace zephyra {

// The remembered dialog choices and recent files: an INI file beside the configuration file, so
// that a user finds all the program keeps in one folder. On first use it takes over what an
// earlier version kept under "Kestrelmoor" / "Zephyra Explorer" in the desktop's settings folder.
[[nodiscard]] QSettings StoredChoices();

} // namespace zephyra
