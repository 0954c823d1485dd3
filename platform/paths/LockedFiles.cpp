#include "platform/paths/LockedFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/paths/Paths.h"
#include "platform/paths/TempFileName.h"

namespace platform {

namespace {

// Each file that a cleaning run takes away before it is locked is replaced
// by a new one; a bound keeps that finite.
constexpr int kCreateAttempts = 100;

bool LockWaiting(int fd)
{
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) return false;
    }
    return true;
}

bool StillNamed(int fd)
{
    struct stat info
    {
    };
    return ::fstat(fd, &info) == 0 && info.st_nlink > 0;
}

// True when `name` in the folder is still the file open as `fd`.
bool NamesFile(int folderFd, const char* name, int fd)
{
    struct stat named
    {
    };
    struct stat opened
    {
    };
    return ::fstatat(folderFd, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && ::fstat(fd, &opened) == 0 &&
           named.st_dev == opened.st_dev && named.st_ino == opened.st_ino;
}

bool RemoveIfUnlocked(int folderFd, const char* name)
{
    const int fd = ::openat(folderFd, name, O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return false;
    struct stat info
    {
    };
    const bool removed = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid() &&
                         ::flock(fd, LOCK_EX | LOCK_NB) == 0 && NamesFile(folderFd, name, fd) &&
                         ::unlinkat(folderFd, name, 0) == 0;
    ::close(fd);
    return removed;
}

}  // namespace

int CreateLockedFile(const std::string& folder, const std::string& prefix, const std::string& suffix,
                     std::string& path)
{
    const std::string pattern = JoinPath(folder, prefix + std::string(kTempFileUniqueLength, 'X') + suffix);
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        const int fd = ::mkostemps(name.data(), static_cast<int>(suffix.size()), O_CLOEXEC);
        if (fd < 0) return -1;
        // A run that cleans up may take the new file before it is locked;
        // it is then gone by the time the lock comes, and another is made. A
        // file system without locks keeps the file unlocked, and no clean-up
        // can lock and remove it there either.
        if (!LockWaiting(fd) || StillNamed(fd)) {
            path = name.data();
            return fd;
        }
        ::close(fd);
    }
    errno = EEXIST;
    return -1;
}

size_t RemoveUnlockedFiles(const std::string& folder, const std::string& prefix, const std::string& suffix)
{
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return 0;
    size_t removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (IsTempFileName(entry->d_name, prefix, suffix) && RemoveIfUnlocked(::dirfd(dir), entry->d_name))
            ++removed;
    }
    ::closedir(dir);
    return removed;
}

}  // namespace platform
