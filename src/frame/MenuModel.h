#pragma once
#include <vector>

namespace zephyra {

// The shape of a menu as data: items name a command id (their caption comes from the command
// table unless `caption` overrides it), submenus hold their children, a null entry with id 0 is
// a separator. The recent-file list fills the place of ID_FILE_MRU_FIRST.
struct MenuNode {
    int id = 0;
    const char* caption = nullptr;
    std::vector<MenuNode> children;

    [[nodiscard]] bool IsSeparator() const { return id == 0 && caption == nullptr; }
    [[nodiscard]] bool IsSubmenu() const { return id == 0 && caption != nullptr; }
};

// Buttons of a toolbar row; id 0 is a separator. `image` indexes the frame's icon set.
struct ToolbarButton {
    int id = 0;
    const char* caption = nullptr; // shown beside the image, or nothing
    int image = -1;
};

[[nodiscard]] const std::vector<MenuNode>& MainMenu(); // the top-level menus of the menu bar
[[nodiscard]] const MenuNode& CaseMenu();              // "New": the 26 cases
[[nodiscard]] const MenuNode& ToolbarsMenu();          // "&Toolbars" of the View menu
[[nodiscard]] const MenuNode& ContextMenu();           // the attractor view's right-click menu
[[nodiscard]] const std::vector<ToolbarButton>& MainToolbarButtons();
[[nodiscard]] const std::vector<ToolbarButton>& ConfigurationToolbarButtons();

} // namespace zephyra
