#pragma once

namespace zephyra {

// The window program's name: the title of its windows and message boxes, and with the
// organisation the application's name in Qt and where earlier versions kept their choices.
inline constexpr const char* PROGRAM_TITLE = "Zephyra Explorer";
inline constexpr const char* ORGANIZATION = "Kestrelmoor";

} // namespace zephyra
