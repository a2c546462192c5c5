#include "CgroupMemory.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

namespace zephyra {

namespace {

// v1 writes "no limit" as the largest page-aligned 64-bit number.
constexpr std::uint64_t NO_LIMIT_ABOVE = std::uint64_t{1} << 60;

struct CgroupFiles {
    std::filesystem::path base; // the controller's mount
    std::string path;           // the cgroup below it
    const char* limit;
    const char* usage;
};

std::optional<std::uint64_t> ReadNumber(const std::filesystem::path& file)
{
    std::ifstream in(file);
    std::uint64_t value = 0;
    if (!(in >> value)) // "max" in v2: no limit
        return std::nullopt;
    return value;
}

std::optional<CgroupFiles> FindMemoryCgroup(const std::filesystem::path& mount, std::string_view selfCgroup)
{
    std::istringstream lines{std::string(selfCgroup)};
    std::optional<CgroupFiles> found;
    for (std::string line; std::getline(lines, line);) {
        const std::size_t first = line.find(':');
        const std::size_t second = line.find(':', first + 1);
        if (first == std::string::npos || second == std::string::npos)
            continue;
        const std::string controllers = line.substr(first + 1, second - first - 1);
        const std::string path = line.substr(second + 1);
        std::istringstream names(controllers);
        bool memory = false;
        for (std::string name; std::getline(names, name, ',');)
            memory = memory || name == "memory";
        if (memory)
            return CgroupFiles{mount / "memory", path, "memory.limit_in_bytes", "memory.usage_in_bytes"};
        if (controllers.empty() && line.starts_with("0:"))
            found = CgroupFiles{mount, path, "memory.max", "memory.current"};
    }
    return found;
}

} // namespace

std::optional<std::uint64_t> CgroupAvailableMemory(const std::filesystem::path& mount,
                                                   std::string_view selfCgroup)
{
    const std::optional<CgroupFiles> cgroup = FindMemoryCgroup(mount, selfCgroup);
    if (!cgroup)
        return std::nullopt;
    std::optional<std::uint64_t> available;
    // In a container the path may name a cgroup outside its view: the folders that exist count.
    for (std::filesystem::path path = std::filesystem::path(cgroup->path).relative_path();;
         path = path.parent_path()) {
        const std::filesystem::path folder = cgroup->base / path;
        const std::optional<std::uint64_t> limit = ReadNumber(folder / cgroup->limit);
        if (limit && *limit < NO_LIMIT_ABOVE) {
            const std::uint64_t used = ReadNumber(folder / cgroup->usage).value_or(0);
            const std::uint64_t left = *limit > used ? *limit - used : 0;
            available = std::min(available.value_or(left), left);
        }
        if (path.empty())
            break;
    }
    return available;
}

std::optional<std::uint64_t> ProcessCgroupAvailableMemory()
{
    std::ifstream in("/proc/self/cgroup");
    std::ostringstream text;
    text << in.rdbuf();
    return CgroupAvailableMemory("/sys/fs/cgroup", text.str());
}

} // namespace zephyra
