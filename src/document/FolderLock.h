#pragma once
#include <filesystem>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace zephyra {

// Holds an exclusive lock on a folder for a scope, so that two programs that re-read and rewrite
// a file in it take turns. The folder and not the file is locked: the file is replaced by a
// rename, and a lock on the replaced file would not hold the next writer back. Without a folder
// that can be opened nothing is locked (the write that follows fails on its own).
class FolderLock {
public:
    explicit FolderLock(const std::filesystem::path& folder)
        : fd_(open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {
        if (fd_ >= 0)
            flock(fd_, LOCK_EX);
    }
    ~FolderLock()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int fd_;
};

} // namespace zephyra
