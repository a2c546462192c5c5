#include "MenuModel.h"

#include "AttractorCase.h"
#include "CommandIds.h"

#include <string_view>

namespace zephyra {

using namespace cmd;

namespace {

const MenuNode separator{};

MenuNode Item(int id, const char* caption = nullptr)
{
    return MenuNode{id, caption, {}};
}
MenuNode Submenu(const char* caption, std::vector<MenuNode> children)
{
    return MenuNode{0, caption, std::move(children)};
}

// Cases from..to in order, with a separator after each letter of `breaks`.
void AddCases(std::vector<MenuNode>& menu, char from, char to, std::string_view breaks)
{
    for (char letter = from; letter <= to; ++letter) {
        menu.push_back(Item(NewCaseCommand(letter)));
        if (breaks.find(letter) != std::string_view::npos)
            menu.push_back(separator);
    }
}

MenuNode BuildCaseMenu()
{
    std::vector<MenuNode> maps, odes, specials;
    AddCases(maps, 'E', 'P', "HLP");
    AddCases(odes, 'Q', 'X', "T");
    AddCases(specials, 'Y', '^', "");
    maps.push_back(Submenu("Ode", std::move(odes)));
    maps.push_back(Submenu("Special", std::move(specials)));
    return Submenu("New", std::move(maps));
}

} // namespace

const MenuNode& CaseMenu()
{
    static const MenuNode menu = BuildCaseMenu();
    return menu;
}

const MenuNode& ToolbarsMenu()
{
    static const MenuNode menu = Submenu("&Toolbars", {Item(ID_VIEW_TOOLBAR), Item(ID_VIEW_CONFIGURATION)});
    return menu;
}

const std::vector<MenuNode>& MainMenu()
{
    static const std::vector<MenuNode> menus = {
        Submenu("&File",
                {Item(ID_FILE_NEW), Item(ID_FILE_OPEN), Item(ID_FILE_SAVE), Item(ID_FILE_SAVE_AS), separator,
                 Item(ID_JOIN), separator, Item(ID_EXPORT_PICTURE), Item(ID_EXPORT_ANIMATION), separator,
                 Item(ID_FILE_PRINT), Item(ID_FILE_PRINT_PREVIEW), Item(ID_FILE_PRINT_SETUP), separator,
                 Item(ID_FILE_MRU_FIRST), separator, Item(ID_APP_EXIT)}),
        Submenu("&Edit", {Item(ID_EDIT_UNDO), separator, Item(ID_EDIT_CUT), Item(ID_EDIT_COPY),
                          Item(ID_EDIT_PASTE), separator, Item(ID_COPY_PICTURE)}),
        Submenu("&Attractor",
                {CaseMenu(), Item(ID_PREVIOUS), Item(ID_NEXT), separator, Item(ID_PREVIOUS_IN_SEQUENCE),
                 Item(ID_NEXT_IN_SEQUENCE), Item(ID_DECREMENT_POSITION), Item(ID_INCREMENT_POSITION),
                 separator, Item(ID_ADD_TO_SAVED), Item(ID_ADD_TO_FAVORITES), separator, Item(ID_CLEAR_SAVED),
                 Item(ID_CLEAR_FAVORITES), Item(ID_CLEAR_HISTORY), separator, Item(ID_PANEL_PARAMETER_MAP),
                 separator, Item(ID_SETTINGS)}),
        Submenu("&View",
                {ToolbarsMenu(),
                 Item(ID_VIEW_STATUS_BAR),
                 Submenu("&Panel", {Item(ID_PANEL_CASES), Item(ID_PANEL_SAVED), Item(ID_PANEL_FAVORITES),
                                    Item(ID_PANEL_HISTORY), Item(ID_PANEL_GALLERY), //
                                    Item(ID_PANEL_MEASUREMENTS)}),
                 separator,
                 Item(ID_VIEW_BOX),
                 Item(ID_VIEW_CROSS),
                 Item(ID_VIEW_BLACK_WHITE),
                 Item(ID_VIEW_DEFAULT_COLORS),
                 Item(ID_VIEW_ADAPTIVE),
                 Item(ID_VIEW_DENSITY),
                 Item(ID_VIEW_SHADE),
                 separator,
                 Item(ID_ANTIALIAS),
                 separator,
                 Item(ID_POINTS_10K),
                 Item(ID_POINTS_100K),
                 Item(ID_POINTS_1M),
                 separator,
                 Item(ID_ADD_POINTS),
                 Item(ID_REMOVE_POINTS),
                 separator,
                 Item(ID_RESET),
                 Item(ID_RESET_4D_TURN)}),
        Submenu("&Help", {Item(ID_HELP_GUIDE), Item(ID_HELP_SHORTCUTS), separator, Item(ID_APP_ABOUT)}),
    };
    return menus;
}

const MenuNode& ContextMenu()
{
    static const MenuNode menu = Submenu("", {CaseMenu(),
                                              Item(ID_NEXT, "Next"),
                                              Item(ID_PREVIOUS, "Previous"),
                                              separator,
                                              Item(ID_ADD_TO_SAVED),
                                              Item(ID_ADD_TO_FAVORITES),
                                              separator,
                                              Item(ID_VIEW_BOX),
                                              Item(ID_VIEW_CROSS),
                                              Item(ID_VIEW_BLACK_WHITE),
                                              Item(ID_VIEW_DEFAULT_COLORS),
                                              Item(ID_VIEW_ADAPTIVE),
                                              separator,
                                              Item(ID_POINTS_10K),
                                              Item(ID_POINTS_100K),
                                              Item(ID_POINTS_1M),
                                              separator,
                                              Item(ID_ADD_POINTS),
                                              Item(ID_REMOVE_POINTS),
                                              separator,
                                              Item(ID_SETTINGS, "Settings")});
    return menu;
}

const std::vector<ToolbarButton>& MainToolbarButtons()
{
    static const std::vector<ToolbarButton> buttons = {
        {ID_PREVIOUS, "Prev", 0},
        {ID_NEXT, "Next", 1},
        {},
        {ID_PANEL_CASES, "Attractors", 2},
        {ID_PANEL_SAVED, "Saved", 3},
        {ID_PANEL_FAVORITES, "Favorites", 4},
        {ID_PANEL_HISTORY, "History", 5},
        {ID_PANEL_GALLERY, "Gallery", 13},
        {},
        {ID_VIEW_CROSS, nullptr, 8},
        {ID_VIEW_BOX, nullptr, 9},
        {ID_ANTIALIAS, nullptr, 6},
        {},
        {ID_VIEW_DEFAULT_COLORS, nullptr, 10},
        {ID_VIEW_BLACK_WHITE, nullptr, 11},
        {ID_VIEW_DENSITY, nullptr, 12},
        {},
        {ID_SETTINGS, nullptr, 7},
    };
    return buttons;
}

const std::vector<ToolbarButton>& ConfigurationToolbarButtons()
{
    static const std::vector<ToolbarButton> buttons = {
        {ID_DECREMENT_POSITION, nullptr, 7},
        {ID_INCREMENT_POSITION, nullptr, 8},
        {ID_PREVIOUS_IN_SEQUENCE, nullptr, 0},
        {ID_NEXT_IN_SEQUENCE, nullptr, 1},
        {},
        {ID_GO, "Go", 9},
    };
    return buttons;
}

} // namespace zephyra
