#pragma once
#include "PointBuffer.h"

#include <cstdint>

namespace zephyra {

// Bytes of memory the machine can still give without swapping; 0 when it cannot be told.
using AvailableMemoryProbe = std::uint64_t (*)();

// MemAvailable of /proc/meminfo (else the free physical pages), or what the process's memory
// cgroup still allows when that is less.
[[nodiscard]] std::uint64_t SystemAvailableMemory();

// Whether `count` points and their `copies` fit in what `probe` reports (0: unknown, taken as room)
// once `released` bytes held now are given back. False for a negative count.
[[nodiscard]] bool PointsFit(std::int32_t count, AvailableMemoryProbe probe, int copies,
                             std::uint64_t released = 0);

// Replaces the buffer's array by one of `count` points (contents undefined). False, with an empty
// buffer, when the count is negative, the byte size of the buffer and its `copies` (those the views
// keep or upload) exceeds what `probe` reports (0: unknown, not checked) or the allocation fails.
// Never throws.
[[nodiscard]] bool ResizePoints(PointBuffer& buffer, std::int32_t count, AvailableMemoryProbe probe,
                                int copies = 0);

} // namespace zephyra
