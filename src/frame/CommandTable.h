#pragma once
#include <span>
#include <string>

namespace zephyra {

// One command of the program as the user meets it: the caption of its menu item (with the '&'
// mnemonic) and its prompt ("status text\ntool tip"). Its shortcut comes from the accelerators.
struct CommandInfo {
    int id;
    const char* caption;
    const char* prompt; // empty for commands that show neither prompt nor tool tip
};

// One key of the accelerator table; several keys may send the same command, the first of them is
// the shortcut the menu shows.
struct Accelerator {
    const char* keys; // QKeySequence portable text, "Num+" for the keypad
    int id;
};

[[nodiscard]] std::span<const CommandInfo> Commands();
[[nodiscard]] std::span<const Accelerator> Accelerators();
// The row of an id; the New-case ids 3840..3865 get a generated row. Null for unknown ids.
[[nodiscard]] const CommandInfo* FindCommand(int id);

// "Case &E (D:2 O:2 M:12)", "Case &Y (D:4 M:10)", "Case [ (D:4 M:14)".
[[nodiscard]] std::string CaseCaption(char letter);
// The part of a prompt before the line break (status pane 0) and after it (tool tip).
[[nodiscard]] std::string StatusPrompt(const CommandInfo& command);
[[nodiscard]] std::string ToolTip(const CommandInfo& command);
// The text of one key of the table as people read it: "F10", "Num +".
[[nodiscard]] std::string KeyText(const Accelerator& accelerator);
// The shortcut text a menu shows for a command ("F10", "Num +"); empty for none.
[[nodiscard]] std::string ShortcutText(int id);
// The caption as the menu bar shows it: caption, tab, shortcut text.
[[nodiscard]] std::string MenuCaption(const CommandInfo& command);

} // namespace zephyra
