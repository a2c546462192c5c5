#pragma once
#include <filesystem>

namespace zephyra {

class CZephyraDoc;

// The ".zpr" document files: the content of the Saved list. Failures are reported through the
// host's message box titled "Error" and change nothing that was there before.

// Replaces Saved with the records of the file and shows the Saved panel (a host without a window
// yet ignores that). False, with "File not found." for a missing or ill-formed file.
[[nodiscard]] bool OnOpenDocument(CZephyraDoc& doc, const std::filesystem::path& path);
// Writes Saved and clears the modified flag; a failed write leaves the old file intact, the
// document modified and reports "Exception occurred in OnSaveDocument".
[[nodiscard]] bool OnSaveDocument(CZephyraDoc& doc, const std::filesystem::path& path);
// Join: asks the host for a file and appends its records to Saved.
void OnSavedJoin(CZephyraDoc& doc);

} // namespace zephyra
