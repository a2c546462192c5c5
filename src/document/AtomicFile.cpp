#include "AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zephyra {

namespace {

// Closes and removes the temporary file unless it was handed over by the rename.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string pattern)
        : path_(std::move(pattern)), fd_(mkstemp(path_.data())), created_(fd_ >= 0)
    {
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

    [[nodiscard]] bool Write(std::string_view content)
    {
        while (!content.empty()) {
            const ssize_t written = write(fd_, content.data(), content.size());
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return false;
            content.remove_prefix(static_cast<std::size_t>(written));
        }
        return true;
    }

    // The mode the replaced file had, or what a newly created file would get.
    [[nodiscard]] bool SetMode(const std::filesystem::path& replaced)
    {
        struct stat old {};
        mode_t mode = 0;
        if (stat(replaced.c_str(), &old) == 0) {
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

} // namespace

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view content)
{
    const std::filesystem::path target = ResolveLink(path);
    TemporaryFile temporary(target.string() + ".XXXXXX");
    return temporary.IsOpen() && temporary.Write(content) && temporary.SetMode(target) &&
           temporary.CloseAndRename(target);
}

} // namespace zephyra
