#pragma once
#include <QIcon>

namespace zephyra {

// The program's artwork, drawn in code. Indexes are those of the toolbar tables.
// Main toolbar images (22 x 20): 0 Prev, 1 Next, 2 Attractors, 3 Saved, 4 Favorites, 5 History,
// 6 Antialiasing, 7 Settings, 8 Cross, 9 Bounding Box, 10 Default Colors, 11 Black and White,
// 12 Density, 13 Gallery.
[[nodiscard]] QIcon ToolbarIcon(int image);
// Configuration toolbar images (16 x 15): 0 previous and 1 next in sequence, 7 decrement and
// 8 increment position, 9 Go.
[[nodiscard]] QIcon SmallToolbarIcon(int image);
// The application icon (window and About box).
[[nodiscard]] QIcon ApplicationIcon();

} // namespace zephyra
