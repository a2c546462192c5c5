#include "PointMemory.h"

#include <fstream>
#include <new>
#include <string>

#include <unistd.h>

namespace zephyra {

std::uint64_t SystemAvailableMemory()
{
    std::ifstream meminfo("/proc/meminfo");
    std::string key, unit;
    std::uint64_t kib = 0;
    while (meminfo >> key >> kib >> unit) {
        if (key == "MemAvailable:")
            return kib * 1024;
    }
    const long pages = sysconf(_SC_AVPHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return 0;
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
}

bool ResizePoints(PointBuffer& buffer, std::int32_t count, AvailableMemoryProbe probe)
{
    // The old array goes first, so that its memory counts as available for the new one.
    buffer.points.reset();
    buffer.count = 0;
    if (count < 0)
        return false;
    if (count == 0)
        return true;
    // Done in 64 bits: 16 x a 32-bit count cannot overflow there.
    const std::uint64_t bytes = static_cast<std::uint64_t>(count) * sizeof(Point);
    const std::uint64_t available = probe ? probe() : 0;
    if (available != 0 && bytes > available)
        return false;
    buffer.points.reset(new (std::nothrow) Point[static_cast<std::size_t>(count)]);
    if (!buffer.points)
        return false;
    buffer.count = count;
    return true;
}

} // namespace zephyra
