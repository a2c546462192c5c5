#include "AtomicFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zephyra {

namespace {

// What follows the target's name in a temporary file's name; mkstemp replaces the six X.
constexpr std::string_view TEMPORARY_SUFFIX = ".saving-";
constexpr std::string_view TEMPORARY_PATTERN = "XXXXXX";

[[nodiscard]] bool WriteAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t written = write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Closes and removes the temporary file unless it was handed over by the rename. It stays locked
// while it lives, so another program's clean-up of stale temporary files leaves it alone.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string pattern)
        : path_(std::move(pattern)), fd_(mkstemp(path_.data())), created_(fd_ >= 0)
    {
        if (fd_ >= 0)
            flock(fd_, LOCK_EX | LOCK_NB);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile()
    {
        if (fd_ >= 0)
            close(fd_);
        if (created_ && !renamed_)
            unlink(path_.c_str());
    }

    [[nodiscard]] bool IsOpen() const { return fd_ >= 0; }
    [[nodiscard]] bool Write(std::string_view content) { return WriteAll(fd_, content); }

    // The owner, group and mode the replaced file had, or the mode a newly created file would get.
    // False when the owner or group cannot be kept: root saving over another user's file would
    // otherwise take it over.
    [[nodiscard]] bool SetOwnerAndMode(const std::filesystem::path& replaced)
    {
        struct stat old {};
        mode_t mode = 0;
        if (stat(replaced.c_str(), &old) == 0) {
            // Before the mode: a change of owner clears the set-user-ID and set-group-ID bits.
            if ((old.st_uid != geteuid() || old.st_gid != getegid()) &&
                fchown(fd_, old.st_uid, old.st_gid) != 0)
                return false;
            mode = old.st_mode & 07777;
        } else {
            const mode_t mask = umask(0);
            umask(mask);
            mode = 0666 & ~mask;
        }
        return fchmod(fd_, mode) == 0;
    }

    [[nodiscard]] bool CloseAndRename(const std::filesystem::path& target)
    {
        const bool synced = fsync(fd_) == 0;
        const bool closed = close(fd_) == 0;
        fd_ = -1;
        if (!synced || !closed || std::rename(path_.c_str(), target.c_str()) != 0)
            return false;
        renamed_ = true;
        return true;
    }

private:
    std::string path_;
    int fd_;
    bool created_;
    bool renamed_ = false;
};

std::filesystem::path ResolveLink(const std::filesystem::path& path)
{
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error))
        return path;
    const std::filesystem::path target = std::filesystem::weakly_canonical(path, error);
    return error ? path : target;
}

bool IsTemporaryOf(const std::string& name, const std::string& targetName)
{
    const std::string prefix = targetName + std::string(TEMPORARY_SUFFIX);
    return name.size() == prefix.size() + TEMPORARY_PATTERN.size() && name.starts_with(prefix) &&
           std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                       [](unsigned char c) { return std::isalnum(c) != 0; });
}

// Temporary files of saves that were killed before their rename; one that a running save holds
// locked is left alone.
void RemoveStaleTemporaries(const std::filesystem::path& target)
{
    const std::string targetName = target.filename().string();
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(target.parent_path(), error)) {
        if (!IsTemporaryOf(entry.path().filename().string(), targetName) || !entry.is_regular_file(error))
            continue;
        const int fd = open(entry.path().c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (flock(fd, LOCK_EX | LOCK_NB) == 0)
            unlink(entry.path().c_str());
        close(fd);
    }
}

// For a writable file in a folder that is not: the content is complete before the file is
// touched, so only a failing disk can leave it half-written.
bool RewriteInPlace(const std::filesystem::path& target, std::string_view content)
{
    const int fd = open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool written =
        WriteAll(fd, content) && ftruncate(fd, static_cast<off_t>(content.size())) == 0 && fsync(fd) == 0;
    return close(fd) == 0 && written;
}

const char* KindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a FIFO";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    if (S_ISSOCK(mode))
        return "a socket";
    return "something else";
}

} // namespace

std::string OutputFileProblem(const std::filesystem::path& path)
{
    struct stat named {};
    if (stat(path.c_str(), &named) != 0 || S_ISREG(named.st_mode))
        return {};
    return path.string() + ": " + KindOf(named.st_mode) + ", not a regular file";
}

std::string ReadableFileProblem(const std::filesystem::path& path)
{
    struct stat named {};
    if (stat(path.c_str(), &named) != 0)
        return path.string() + ": " + (errno == ENOENT ? "File not found." : std::strerror(errno));
    if (!S_ISREG(named.st_mode))
        return path.string() + ": " + KindOf(named.st_mode) + ", not a regular file";
    if (access(path.c_str(), R_OK) != 0)
        return path.string() + ": " + std::strerror(errno);
    return {};
}

std::string WritableFileProblem(const std::filesystem::path& path)
{
    if (std::string problem = OutputFileProblem(path); !problem.empty())
        return problem;
    const std::filesystem::path folder = path.parent_path().empty() ? "." : path.parent_path();
    struct stat named {};
    if (stat(folder.c_str(), &named) != 0 || !S_ISDIR(named.st_mode))
        return folder.string() + ": no such folder";
    // A file that exists is rewritten in place when its folder is read-only.
    const bool exists = access(path.c_str(), F_OK) == 0;
    const std::filesystem::path written = exists ? path : folder;
    if (access(written.c_str(), W_OK) != 0)
        return written.string() + ": " + std::strerror(errno);
    return {};
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view content)
{
    if (!OutputFileProblem(path).empty()) {
        errno = EINVAL;
        return false;
    }
    const std::filesystem::path target = ResolveLink(path);
    // A rename would replace a file the user may not write (and give it the user as owner).
    if (access(target.c_str(), F_OK) == 0 && access(target.c_str(), W_OK) != 0)
        return false;
    const std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
    if (access(folder.c_str(), W_OK) != 0) {
        const int reason = errno;
        if (access(target.c_str(), F_OK) == 0)
            return RewriteInPlace(target, content);
        errno = reason; // the folder's refusal, not the missing file's
        return false;
    }
    TemporaryFile temporary(target.string() + std::string(TEMPORARY_SUFFIX) + std::string(TEMPORARY_PATTERN));
    if (!temporary.IsOpen() || !temporary.Write(content) || !temporary.SetOwnerAndMode(target) ||
        !temporary.CloseAndRename(target))
        return false;
    RemoveStaleTemporaries(folder / target.filename());
    return true;
}

std::string WriteFileSayingWhy(const std::filesystem::path& path, std::string_view content)
{
    if (std::string problem = OutputFileProblem(path); !problem.empty())
        return "cannot write " + problem;
    errno = 0;
    if (WriteFileAtomically(path, content))
        return {};
    const int reason = errno;
    return "cannot write " + path.string() +
           (reason ? std::string(": ") + std::strerror(reason) : std::string());
}

} // namespace zephyra
