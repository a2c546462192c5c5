#pragma once
#include <optional>

namespace zephyra {

class CZephyraDoc;

// The commands the document handles itself (ids in CommandIds.h): history browsing, new cases,
// sequence stepping, adding to and clearing the lists, the view flags and the point counts; the
// file commands (Clear Saved, Open Saved, Join) and Settings are the framework's. Searches run
// inside the call. Returns true when `id` is a document command (it has then been carried out).
bool OnDocumentCommand(CZephyraDoc& doc, int id);

// The check state of a document command's menu item: the case items 3840-3865 and the five view
// flags. Empty for ids without an update handler (always enabled, never checked).
[[nodiscard]] std::optional<bool> DocumentCommandChecked(const CZephyraDoc& doc, int id);

} // namespace zephyra
