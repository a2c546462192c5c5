#pragma once
#include <cstdint>
#include <string>

namespace zephyra {

// What a picture or an animation needs is checked before any work against `available`, the bytes
// the machine or the memory cgroup of the process can still give (SystemAvailableMemory; 0 when
// unknown, then nothing is refused): past it the process would be killed without a word or the
// machine would swap. Each fit sits beside what it budgets (FitDensityPicture, FitAnimation,
// PointPictureRefusal, FitCanvas) and returns one line naming the need and what can be had when
// the work cannot fit, else an empty text. These are the pieces they share.

inline constexpr std::uint64_t MIB = std::uint64_t{1} << 20;

[[nodiscard]] std::uint64_t Pixels(int width, int height);
// A PNG file's bytes as they grow in memory: attractors compress far better than this (a 4K
// density picture to under 1 %), but noise may not, and the buffer doubles as it grows.
[[nodiscard]] std::uint64_t EncodedBytes(std::uint64_t rawBytes);
// "not enough memory for WHAT: it needs at least N MiB, M MiB can be had".
[[nodiscard]] std::string MemoryRefusal(const std::string& what, std::uint64_t need, std::uint64_t available);
// "WIDTHxHEIGHT".
[[nodiscard]] std::string SizeText(int width, int height);

} // namespace zephyra
