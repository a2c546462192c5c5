#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace zephyra {

// Bytes the memory cgroups of a process still allow it: the smallest of limit minus usage along its
// cgroup's path up to the root, cgroup v2 ("0::/path": memory.max, memory.current) or v1 (the
// "memory" line: memory.limit_in_bytes, memory.usage_in_bytes). Nothing when no limit is set or
// none can be read. A process over such a limit is killed without a word, so it counts as memory
// that is not there. `mount` is where the cgroup file systems are (/sys/fs/cgroup), `selfCgroup`
// the text of /proc/self/cgroup.
[[nodiscard]] std::optional<std::uint64_t> CgroupAvailableMemory(const std::filesystem::path& mount,
                                                                 std::string_view selfCgroup);

// The same for this process.
[[nodiscard]] std::optional<std::uint64_t> ProcessCgroupAvailableMemory();

} // namespace zephyra
