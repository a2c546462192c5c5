#pragma once
#include <filesystem>

namespace zephyra {

// The PNG pictures of an animation: frame-0001.png... in a folder, staged first in a hidden
// folder named after the process that writes them.

// Frame `index` (from 0) of the folder.
[[nodiscard]] std::filesystem::path FramePath(const std::filesystem::path& folder, int index);

// This process's staging folder in `folder`.
[[nodiscard]] std::filesystem::path StagingFolder(const std::filesystem::path& folder);

// Removes the staging folders in `folder` of processes that no longer run (killed before they
// could clean up); those of running ones stay.
void RemoveStaleStaging(const std::filesystem::path& folder);

// Removes the frames of `folder` numbered after `count`, left by a longer animation, so that
// the folder holds one frame set; other files stay.
void RemoveFramesAfter(const std::filesystem::path& folder, int count);

} // namespace zephyra
