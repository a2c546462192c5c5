#pragma once

namespace zephyra {

// Update hints: what changed, sent one at a time to every view and panel. 0 rebuilds everything.
constexpr int UH_ALL = 0;
constexpr int UH_REDRAW = 1;
constexpr int UH_SAVED_RELOADED = 2;
constexpr int UH_SAVED_ADDED = 4;
constexpr int UH_FAVORITES_RELOADED = 8;
constexpr int UH_FAVORITE_ADDED = 16;
constexpr int UH_HISTORY_RELOADED = 32;
constexpr int UH_HISTORY_ADDED = 64;
constexpr int UH_HISTORY_MOVED = 128;
constexpr int UH_SAVED_REMOVED = 256;
constexpr int UH_FAVORITE_REMOVED = 512;
// With UH_SAVED_RELOADED: the records came from a file (open, join), so the Saved panel comes forward.
constexpr int UH_SAVED_SHOWN = 1024;
// The view moved the current attractor's camera: the views redraw, the lists keep their trees.
constexpr int UH_CAMERA_MOVED = 2048;

// Flags of CZephyraDoc::SetAttractor.
constexpr int SA_RANDOMIZE = 1;
constexpr int SA_STEP_FORWARD = 2;
constexpr int SA_STEP_BACK = 4;
constexpr int SA_NO_SEARCH = 8;
constexpr int SA_ADD_HISTORY = 32;

} // namespace zephyra
