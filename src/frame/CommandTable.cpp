#include "CommandTable.h"

#include "AttractorCase.h"
#include "CommandIds.h"
#include "StatusTexts.h"

#include <array>
#include <cctype>
#include <string_view>

namespace zephyra {

using namespace cmd;

namespace {

// Framework commands carry the framework's own prompts; the frame's panel, Go and Configuration
// commands have no string and so show neither prompt nor tool tip.
constexpr CommandInfo commandTable[] = {
    {ID_FILE_NEW, "&New", "Create a new document\nNew"},
    {ID_FILE_OPEN, "&Open...", "Open an existing document\nOpen"},
    {ID_FILE_SAVE, "&Save", "Save the active document\nSave"},
    {ID_FILE_SAVE_AS, "Save &As...", "Save the active document with a new name\nSave As"},
    {ID_JOIN, "&Join", "Join two documents\nJoin"},
    {ID_EXPORT_PICTURE, "&Export Picture...", "Export the attractor as a density picture\nExport Picture"},
    {ID_EXPORT_ANIMATION, "Export Ani&mation...",
     "Export a turntable or a morph of the attractor as an animation\nExport Animation"},
    {ID_FILE_PRINT, "&Print...", "Print the active document\nPrint"},
    {ID_FILE_PRINT_PREVIEW, "Print Pre&view", "Display full pages\nPrint Preview"},
    {ID_FILE_PRINT_SETUP, "P&rint Setup...", "Change the printer and printing options\nPrint Setup"},
    {ID_FILE_MRU_FIRST, "Recent File", "Open this document"},
    {ID_APP_EXIT, "E&xit", "Quit the application; prompts to save documents\nExit"},
    {ID_EDIT_UNDO, "&Undo", "Undo the last action\nUndo"},
    {ID_EDIT_CUT, "Cu&t", "Cut the selection and put it on the Clipboard\nCut"},
    {ID_EDIT_COPY, "&Copy", "Copy the selection and put it on the Clipboard\nCopy"},
    {ID_EDIT_PASTE, "&Paste", "Insert Clipboard contents\nPaste"},
    {ID_COPY_PICTURE, "Copy &Picture", "Copy the view to the Clipboard as a picture\nCopy Picture"},
    {ID_PREVIOUS, "Previous", "Previous\nPrevious Attractor"},
    {ID_NEXT, "Next", "Next\nNext Attractor"},
    {ID_PREVIOUS_IN_SEQUENCE, "Previous in seqence", "Previous in seqence\nPrevious Attractor in seqence"},
    {ID_NEXT_IN_SEQUENCE, "Next in seqence", "Next in seqence\nNext Attractor in seqence"},
    {ID_DECREMENT_POSITION, "Decrement position",
     "Decrement position of active document\nDecrement position of active Attractor"},
    {ID_INCREMENT_POSITION, "Increment position",
     "Increment position of active document\nIncrement position of active Attractor"},
    {ID_ADD_TO_SAVED, "Add to Saved", "Add to Saved\nAdd to Saved Attractors"},
    {ID_ADD_TO_FAVORITES, "Add to Favorites", "Add to Favorites\nAdd to Favorites Attractors"},
    {ID_CLEAR_SAVED, "Clear Saved", "Clear Saved\nClear Saved Attractors"},
    {ID_CLEAR_FAVORITES, "Clear Favorites", "Clear Favorites\nClear Favorites Attractors"},
    {ID_CLEAR_HISTORY, "Clear History", "Clear History\nClear History of Attractors"},
    {ID_SETTINGS, "Settings...", "Settings\nThe settings of Attractor explorer"},
    {ID_VIEW_TOOLBAR, "&Toolbar", "Show or hide the toolbar\nToggle ToolBar"},
    {ID_VIEW_CONFIGURATION, "&Configuration", ""},
    {ID_VIEW_STATUS_BAR, "&Status Bar", "Show or hide the status bar\nToggle StatusBar"},
    {ID_PANEL_CASES, "&Attractors", ""},
    {ID_PANEL_SAVED, "&Saved", ""},
    {ID_PANEL_FAVORITES, "&Favorites", ""},
    {ID_PANEL_HISTORY, "&History", ""},
    {ID_PANEL_GALLERY, "&Gallery", ""},
    {ID_PANEL_MEASUREMENTS, "&Measurements", ""},
    {ID_PANEL_PARAMETER_MAP, "Parameter &Map",
     "Show the Lyapunov map and the orbit diagram around the attractor\nParameter Map"},
    {ID_PARAMETER_MAP_EXPORT, "Export", "Write the map as a PNG picture that carries its record\nExport Map"},
    {ID_PARAMETER_MAP_RESET, "Reset", "Show the current values +- 0.5 again\nReset Ranges"},
    {ID_VIEW_BOX, "&Bounding Box", "Show or hide the Bounding Box\nToggle Bounding Box"},
    {ID_VIEW_CROSS, "&Cross", "Show or hide the Cross\nToggle Cross"},
    {ID_VIEW_BLACK_WHITE, "Black and White", "Black and White\nBlack and White view"},
    {ID_VIEW_DEFAULT_COLORS, "Default Colors", "Set the default colors\nSet the default colors"},
    {ID_VIEW_ADAPTIVE, "Adaptive Degradation", "Adaptive Degradation\nUse an Adaptive Degradation"},
    {ID_VIEW_DENSITY, "Density", "Show the density picture instead of the points\nDensity view"},
    {ID_VIEW_SHADE, "Depth Shade",
     "Darken in the density picture what lies behind its neighbours, for 3D and 4D attractors\nDepth shade"},
    {ID_ANTIALIAS, "Antialiasing", "Use the Antialiasing\nAntialiasing"},
    {ID_POINTS_10K, "10 000 points", "Change count of points\nChange the count of points"},
    {ID_POINTS_100K, "100 000 points", "Change count of points\nChange the count of points"},
    {ID_POINTS_1M, "1 000 000 points", "Change count of points\nChange the count of points"},
    {ID_ADD_POINTS, "Add points", "Add points\nAdd points to attractor"},
    {ID_REMOVE_POINTS, "Remove points", "Remove points\nRemove points to attractor"},
    {ID_RESET, "Reset", "Reset attractor\nReset attractor"},
    {ID_RESET_4D_TURN, "Reset 4D Turn", "Turn a 4D attractor back into its own space\nReset 4D Turn"},
    {ID_HELP_GUIDE, "Zephyra Explorer &Help", "Open the guide to the program\nHelp"},
    {ID_HELP_SHORTCUTS, "&Keyboard Shortcuts", "List every shortcut\nKeyboard Shortcuts"},
    {ID_APP_ABOUT, "&About Zephyra Explorer...",
     "Display program information, version number and copyright\nAbout"},
    {ID_NEXT_PANE, "Next Pane", ""},
    {ID_PREV_PANE, "Previous Pane", ""},
    {ID_GO, "Go", ""},
};

// The keys of the commands; the first key of a command is the shortcut its menu item shows.
// Ctrl+U and Ctrl+R are here too: the menu promises them.
constexpr Accelerator acceleratorTable[] = {
    {"F10", ID_NEXT},
    {"Alt+Right", ID_NEXT},
    {"F9", ID_PREVIOUS},
    {"Alt+Left", ID_PREVIOUS},
    {"F12", ID_NEXT_IN_SEQUENCE},
    {"F11", ID_PREVIOUS_IN_SEQUENCE},
    {"Ctrl+F12", ID_INCREMENT_POSITION},
    {"Ctrl+F11", ID_DECREMENT_POSITION},
    {"Num++", ID_ADD_POINTS},
    {"Num+-", ID_REMOVE_POINTS},
    {"Ctrl+C", ID_EDIT_COPY},
    {"Ctrl+Ins", ID_EDIT_COPY},
    {"Ctrl+X", ID_EDIT_CUT},
    {"Shift+Del", ID_EDIT_CUT},
    {"Ctrl+V", ID_EDIT_PASTE},
    {"Shift+Ins", ID_EDIT_PASTE},
    {"Ctrl+Z", ID_EDIT_UNDO},
    {"Alt+Backspace", ID_EDIT_UNDO},
    {"Ctrl+N", ID_FILE_NEW},
    {"Ctrl+O", ID_FILE_OPEN},
    {"Ctrl+S", ID_FILE_SAVE},
    {"Ctrl+P", ID_FILE_PRINT},
    {"Ctrl+Q", ID_APP_EXIT},
    {"Ctrl+E", ID_EXPORT_PICTURE},
    {"Ctrl+Shift+E", ID_EXPORT_ANIMATION},
    {"Ctrl+Shift+C", ID_COPY_PICTURE},
    {"F6", ID_NEXT_PANE},
    {"Shift+F6", ID_PREV_PANE},
    {"Ctrl+T", ID_PANEL_CASES},
    {"Ctrl+L", ID_PANEL_SAVED},
    {"Ctrl+B", ID_PANEL_FAVORITES},
    {"Ctrl+H", ID_PANEL_HISTORY},
    {"Ctrl+G", ID_PANEL_GALLERY},
    {"Ctrl+M", ID_PANEL_MEASUREMENTS},
    {"Ctrl+Shift+M", ID_PANEL_PARAMETER_MAP},
    {"Ctrl+U", ID_VIEW_BOX},
    {"Ctrl+R", ID_VIEW_CROSS},
    {"F1", ID_HELP_GUIDE},
};

// Captions of the 26 New-case items, built once from the case table.
struct CaseRows {
    std::array<std::string, CASE_COUNT> captions;
    std::array<CommandInfo, CASE_COUNT> rows;
    CaseRows()
    {
        for (int i = 0; i < CASE_COUNT; ++i) {
            captions[i] = CaseCaption(static_cast<char>(FIRST_CASE_LETTER + i));
            rows[i] = {ID_NEW_CASE_FIRST + i, captions[i].c_str(), ""};
        }
    }
};

} // namespace

std::span<const CommandInfo> Commands()
{
    return commandTable;
}
std::span<const Accelerator> Accelerators()
{
    return acceleratorTable;
}

const CommandInfo* FindCommand(int id)
{
    if (id >= ID_NEW_CASE_FIRST && id <= ID_NEW_CASE_LAST) {
        static const CaseRows cases;
        return &cases.rows[id - ID_NEW_CASE_FIRST];
    }
    for (const CommandInfo& command : commandTable)
        if (command.id == id)
            return &command;
    return nullptr;
}

std::string CaseCaption(char letter)
{
    std::string text = CaseText(letter);
    // The letter is the item's mnemonic where it can be one.
    constexpr std::size_t letterAt = std::string_view("Case ").size();
    if (!text.empty() && std::isalpha(static_cast<unsigned char>(letter)))
        text.insert(letterAt, 1, '&');
    return text;
}

std::string StatusPrompt(const CommandInfo& command)
{
    const std::string_view prompt = command.prompt;
    return std::string(prompt.substr(0, prompt.find('\n')));
}

std::string ToolTip(const CommandInfo& command)
{
    const std::string_view prompt = command.prompt;
    const auto lineBreak = prompt.find('\n');
    return lineBreak == std::string_view::npos ? std::string() : std::string(prompt.substr(lineBreak + 1));
}

std::string KeyText(const Accelerator& accelerator)
{
    constexpr std::string_view keypad = "Num+";
    std::string keys = accelerator.keys;
    // "Num++" is shown as "Num +".
    if (keys.starts_with(keypad))
        keys.replace(0, keypad.size(), "Num ");
    return keys;
}

std::string ShortcutText(int id)
{
    for (const Accelerator& accelerator : acceleratorTable)
        if (accelerator.id == id)
            return KeyText(accelerator);
    return {};
}

std::string MenuCaption(const CommandInfo& command)
{
    std::string text = command.caption;
    if (const std::string shortcut = ShortcutText(command.id); !shortcut.empty())
        text += "\t" + shortcut;
    return text;
}

} // namespace zephyra
