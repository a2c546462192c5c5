#include "FrameFolder.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>
#include <system_error>

#include <signal.h>
#include <unistd.h>

namespace zephyra {

namespace {

constexpr std::string_view STAGING_PREFIX = ".zephyra-frames-";
constexpr std::string_view FRAME_PREFIX = "frame-";
constexpr std::string_view FRAME_SUFFIX = ".png";

// The whole number that `text` is, or -1.
long long NumberOf(std::string_view text)
{
    long long value = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty() && text[0] != '-' ? value
                                                                                                       : -1;
}

bool ProcessGone(long long pid)
{
    return pid > 0 && pid != getpid() && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

} // namespace

std::filesystem::path FramePath(const std::filesystem::path& folder, int index)
{
    char name[32];
    std::snprintf(name, sizeof name, "frame-%04d.png", index + 1);
    return folder / name;
}

std::filesystem::path StagingFolder(const std::filesystem::path& folder)
{
    return folder / (std::string(STAGING_PREFIX) + std::to_string(getpid()));
}

void RemoveStaleStaging(const std::filesystem::path& folder)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder.empty() ? "." : folder, error)) {
        const std::string name = entry.path().filename().string();
        std::error_code ignored;
        if (name.starts_with(STAGING_PREFIX) &&
            ProcessGone(NumberOf(std::string_view(name).substr(STAGING_PREFIX.size()))) &&
            entry.is_directory(ignored))
            std::filesystem::remove_all(entry.path(), ignored);
    }
}

void RemoveFramesAfter(const std::filesystem::path& folder, int count)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(FRAME_PREFIX) || !name.ends_with(FRAME_SUFFIX) ||
            name.size() < FRAME_PREFIX.size() + 4 + FRAME_SUFFIX.size())
            continue;
        const std::string_view digits = std::string_view(name).substr(
            FRAME_PREFIX.size(), name.size() - FRAME_PREFIX.size() - FRAME_SUFFIX.size());
        std::error_code ignored;
        if (NumberOf(digits) > count && entry.is_regular_file(ignored))
            std::filesystem::remove(entry.path(), ignored);
    }
}

} // namespace zephyra
