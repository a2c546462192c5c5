#pragma once

namespace zephyra {

// Layout codes of the main window's client area: the plain view, or a panel beside it.
constexpr int PANEL_NONE = 119;
constexpr int PANEL_CASES = 112;
constexpr int PANEL_SAVED = 102;
constexpr int PANEL_FAVORITES = 103;
constexpr int PANEL_HISTORY = 109;
constexpr int PANEL_GALLERY = 120;
constexpr int PANEL_MEASUREMENTS = 121;
constexpr int PANEL_PARAMETER_MAP = 122;

} // namespace zephyra
