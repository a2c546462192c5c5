#pragma once
#include <QIcon>

namespace zephyra {

// Images of the panel buttons, drawn by the program; each stands for the same action in every panel.
constexpr int IMAGE_CLEAR = 2;
constexpr int IMAGE_OPEN = 3;
constexpr int IMAGE_SAVE = 4;
constexpr int IMAGE_ADD = 5;
constexpr int IMAGE_REMOVE = 6;
constexpr int IMAGE_PREVIOUS = 7;
constexpr int IMAGE_NEXT = 8;

// 16 x 16 button image by index (IMAGE_*).
[[nodiscard]] QIcon PanelButtonIcon(int image);
// The 12 x 12 close button of the title row.
[[nodiscard]] QIcon PanelCloseIcon();
// A folder of size x size pixels: closed normally, open while the item is selected.
[[nodiscard]] QIcon FolderIcon(int size);
// The image of a case: its letter on a tile of size x size pixels.
[[nodiscard]] QIcon CaseIcon(char letter, int size);

} // namespace zephyra
