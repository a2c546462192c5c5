#pragma once
#include <string>

namespace zephyra {

class Attractor;

// Status-bar panes the engine and the document write to.
constexpr int PANE_MESSAGE = 0;
constexpr int PANE_CASE = 1;
constexpr int PANE_POINTS = 2;
constexpr int PANE_MEASURES = 3;
constexpr int PANE_START = 4;

// Message-pane texts, exactly as the user sees them.
inline constexpr const char* TEXT_SEARCHING = "Searching... press ESC to cancel";
inline constexpr const char* TEXT_DONE = "Done";
inline constexpr const char* TEXT_CANCELED = "Canceled by user";
inline constexpr const char* TEXT_NO_MEMORY = "Not enought memory!";
inline constexpr const char* TEXT_READY = "Ready";
// The message box of a code the program refuses, under the title "Attractor".
inline constexpr const char* TEXT_WRONG_CONFIGURATION = "Wrong attractor configuration!";
// What Copy Picture, Add to Saved and Add to Favorites did, on pane 0.
inline constexpr const char* TEXT_PICTURE_COPIED = "Picture copied";
inline constexpr const char* TEXT_ADDED_TO_SAVED = "Added to Saved";
inline constexpr const char* TEXT_ADDED_TO_FAVORITES = "Added to Favorites";

// The texts of panes 1 to 4 for a computed attractor, and the progress and position texts.
// Numbers are formatted in the "C" form whatever the user's locale.
// "Case E (D:2 O:2 M:12)", and for an attractor between the letters "... M:12)  exact 3:-1.37".
[[nodiscard]] std::string CaseText(const Attractor& a);
// The one text of a case, for the status bar, the menus and the case tree: "Case E (D:2 O:2 M:12)",
// the special cases without an order ("Case Y (D:4 M:10)"). Empty for a letter that names none.
[[nodiscard]] std::string CaseText(char letter);
[[nodiscard]] std::string PointsText(int count);              // " 50000 points"
[[nodiscard]] std::string MeasuresText(const Attractor& a);   // " l = 0.610  f = 1.200"
[[nodiscard]] std::string StartPointText(const Attractor& a); // " x0 = 0.05 y0 = ..."
// "4D turn: xw = 30.0  yw = 0.0  zw = -12.4" while a 4D case is turned through w; else empty.
[[nodiscard]] std::string Turn4DText(const Attractor& a);
[[nodiscard]] std::string ComputingText(double percent); // "Computing 10% press ESC to cancel"
[[nodiscard]] std::string PositionText(int position);    // "Position: 3"

// printf's "%.<decimals>f" of a value, independent of the process locale.
[[nodiscard]] std::string FormatFixed(double value, int decimals);

} // namespace zephyra
