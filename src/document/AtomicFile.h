#pragma once
#include <filesystem>
#include <string>
#include <string_view>

namespace zephyra {

// Empty when `path` names a regular file (through symbolic links) or nothing yet, the only targets
// a file is written to; else one line saying what it names, so that a device, a FIFO or a folder
// is refused before any work instead of being replaced by a file.
[[nodiscard]] std::string OutputFileProblem(const std::filesystem::path& path);
// Empty when `path` names a regular file the user may read; else one line naming it and saying what
// stands in the way: "File not found.", "a folder, not a regular file", "Permission denied".
[[nodiscard]] std::string ReadableFileProblem(const std::filesystem::path& path);
// The same as OutputFileProblem, and also a missing folder, or a file or folder the user may not write, with
// the system's reason: what WriteFileAtomically would fail on, said before any work.
[[nodiscard]] std::string WritableFileProblem(const std::filesystem::path& path);

// Replaces the file at `path` with `content` through a temporary file in the same folder and a
// rename, so a reader sees the old file or the new one and a failed write leaves the old file as
// it was. A symbolic link at `path` keeps pointing at the replaced file, which keeps its permission
// bits, owner and group. False, touching nothing, for a file the user may not write, one whose
// owner or group the user cannot give the new file, or one that OutputFileProblem refuses. A writable file in
// a folder that is not is rewritten in place. Temporary files of earlier saves that were killed are removed.
[[nodiscard]] bool WriteFileAtomically(const std::filesystem::path& path, std::string_view content);
// The same; empty when written, else "cannot write PATH" with the system's reason (disk full, no
// permission), which tells the user what to mend.
[[nodiscard]] std::string WriteFileSayingWhy(const std::filesystem::path& path, std::string_view content);

} // namespace zephyra
