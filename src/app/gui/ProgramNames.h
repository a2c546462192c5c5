#pragma once
#include <QSettings>

namespace zephyra {

// The window program's name: the title of its windows and message boxes, and with the
// organisation the place where QSettings keeps its recent files and the dialogs' choices.
inline constexpr const char* PROGRAM_TITLE = "Zephyra Explorer";
inline constexpr const char* ORGANIZATION = "Kestrelmoor";

// The program's stored settings.
[[nodiscard]] inline QSettings StoredChoices()
{
    return QSettings(ORGANIZATION, PROGRAM_TITLE);
}

} // namespace zephyra
