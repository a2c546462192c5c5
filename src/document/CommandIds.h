#pragma once

namespace zephyra {

// Command identifiers shared by menus, accelerators, toolbars, panels and the handlers of every
// layer. The numbers are the program's own and appear nowhere else.
namespace cmd {

// Framework: file and edit commands
constexpr int ID_OK = 1; // Enter in the code box
constexpr int ID_FILE_NEW = 57600;
constexpr int ID_FILE_OPEN = 57601;
constexpr int ID_FILE_SAVE = 57603;
constexpr int ID_FILE_SAVE_AS = 57604;
constexpr int ID_FILE_PRINT_SETUP = 57606;
constexpr int ID_FILE_PRINT = 57607;
constexpr int ID_FILE_PRINT_DIRECT = 57608; // prints without the dialog
constexpr int ID_FILE_PRINT_PREVIEW = 57609;
constexpr int ID_FILE_MRU_FIRST = 57616;
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_HELP_GUIDE = 57667;
constexpr int ID_EDIT_COPY = 57634;
constexpr int ID_EDIT_CUT = 57635;
constexpr int ID_EDIT_PASTE = 57637;
constexpr int ID_EDIT_UNDO = 57643;
constexpr int ID_NEXT_PANE = 57680;
constexpr int ID_PREV_PANE = 57681;
constexpr int ID_VIEW_TOOLBAR = 59392;
constexpr int ID_VIEW_STATUS_BAR = 59393;

// Document
constexpr int ID_NEXT = 32779;
constexpr int ID_PREVIOUS = 32780;
constexpr int ID_NEW_CASE_FIRST = 3840; // 3840 + (letter - 'E'), 26 cases
constexpr int ID_NEW_CASE_LAST = 3865;
// The case a new-case command names, and the command of a case.
[[nodiscard]] constexpr char CaseLetterOf(int id)
{
    return static_cast<char>('E' + (id - ID_NEW_CASE_FIRST));
}
[[nodiscard]] constexpr int NewCaseCommand(char letter)
{
    return ID_NEW_CASE_FIRST + (letter - 'E');
}
constexpr int ID_NEXT_IN_SEQUENCE = 125;
constexpr int ID_PREVIOUS_IN_SEQUENCE = 126;
constexpr int ID_INCREMENT_POSITION = 134;
constexpr int ID_DECREMENT_POSITION = 135;
constexpr int ID_ADD_TO_SAVED = 32809;
constexpr int ID_ADD_TO_FAVORITES = 32810;
constexpr int ID_CLEAR_SAVED = 183;
constexpr int ID_CLEAR_FAVORITES = 106;
constexpr int ID_CLEAR_HISTORY = 111;
constexpr int ID_OPEN_SAVED = 128; // Saved panel button: the framework's open
constexpr int ID_JOIN = 32823;
constexpr int ID_SETTINGS = 187;
constexpr int ID_RESET = 184;
constexpr int ID_RESET_4D_TURN = 32850;
constexpr int ID_VIEW_BOX = 32800;
constexpr int ID_VIEW_CROSS = 32801;
constexpr int ID_VIEW_BLACK_WHITE = 192;
constexpr int ID_VIEW_DEFAULT_COLORS = 202;
constexpr int ID_VIEW_ADAPTIVE = 205;
constexpr int ID_VIEW_DENSITY = 32840;
constexpr int ID_VIEW_SHADE = 32851;
constexpr int ID_POINTS_10K = 32805;
constexpr int ID_POINTS_100K = 32803;
constexpr int ID_POINTS_1M = 32804;
constexpr int ID_ADD_POINTS = 32830;
constexpr int ID_REMOVE_POINTS = 32829;

// View
constexpr int ID_ANTIALIAS = 190;
constexpr int ID_COPY_PICTURE = 32841;

// Pictures
constexpr int ID_EXPORT_PICTURE = 32842;
constexpr int ID_EXPORT_ANIMATION = 32843;

// Frame
constexpr int ID_PANEL_CASES = 114;
constexpr int ID_PANEL_SAVED = 32781;
constexpr int ID_PANEL_FAVORITES = 32782;
constexpr int ID_PANEL_HISTORY = 32783;
constexpr int ID_PANEL_GALLERY = 33100;
constexpr int ID_GALLERY_MORE = 33101; // the Gallery's own buttons
constexpr int ID_GALLERY_VARIANTS = 33102;
constexpr int ID_PANEL_MEASUREMENTS = 33110;
constexpr int ID_PANEL_PARAMETER_MAP = 33120;
constexpr int ID_PARAMETER_MAP_EXPORT = 33121; // the Parameter Map's own buttons
constexpr int ID_PARAMETER_MAP_RESET = 33122;
constexpr int ID_PANEL_CLOSE = 32817;
constexpr int ID_VIEW_CONFIGURATION = 32818;
constexpr int ID_GO = 117;
constexpr int ID_REMOVE_FAVORITE = 107;
constexpr int ID_REMOVE_SAVED = 108;

// Application
constexpr int ID_HELP_SHORTCUTS = 33190;

} // namespace cmd
} // namespace zephyra
