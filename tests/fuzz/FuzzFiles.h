#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace zephyra::fuzz {

// Files of this process for the readers that take a path: in memory (/dev/shm) where there is one,
// as saves sync to disk and a fuzzer saves thousands of times a second.
[[nodiscard]] std::filesystem::path ScratchPath(const char* name);
// Replaces the file with exactly these bytes.
void WriteBytes(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size);
[[nodiscard]] std::string ReadBytes(const std::filesystem::path& path);

} // namespace zephyra::fuzz
