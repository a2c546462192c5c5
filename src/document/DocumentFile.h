#pragma once
#include <filesystem>

namespace zephyra {

class CZephyraDoc;

// The ".zpr" document files: the content of the Saved list. Failures are reported through the
// host's message box titled "Error" and change nothing that was there before.

// Replaces Saved with the records of the file and shows the Saved panel. False, with "File not found." for a
// missing or ill-formed file.
[[nodiscard]] bool OnOpenDocument(CZephyraDoc& doc, const std::filesystem::path& path);
// Writes Saved and clears the modified flag; a failed write leaves the old file intact, the
// document modified and reports "Exception occurred in OnSaveDocument".
[[nodiscard]] bool OnSaveDocument(CZephyraDoc& doc, const std::filesystem::path& path);
// Join: appends the records of the file to Saved and shows the Saved panel; a file that cannot
// be read adds nothing and reports "Exception occurred in OnSavedJoin".
void OnSavedJoin(CZephyraDoc& doc, const std::filesystem::path& path);

} // namespace zephyra
