#include "platform/files/ReplacementFile.h"

#include "platform/paths/Paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <vector>

namespace platform {

// As many links as the system itself follows before it gives up (ELOOP).
constexpr int kMaxLinkHops = 40;

// Permissions a file created with open(..., 0666) would get.
static mode_t NewFileMode()
{
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// The permissions the replacement takes: those of the file it replaces, or
// those of a new file.
static mode_t ReplacementMode(const std::string& targetPath)
{
    struct stat existing
    {
    };
    if (stat(targetPath.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) return existing.st_mode & 0777;
    return NewFileMode();
}

// The file a chain of symbolic links ends at (the path itself when it is no
// link, also when that file does not exist yet), so that replacing it keeps
// the links. False with errno ELOOP when the chain does not end.
static bool FollowLinks(const std::string& path, std::string& target)
{
    target = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        std::vector<char> content(PATH_MAX + 1);
        ssize_t length = readlink(target.c_str(), content.data(), content.size());
        if (length < 0 || static_cast<size_t>(length) >= content.size()) return true;
        std::string next(content.data(), static_cast<size_t>(length));
        target = next.starts_with('/') ? next : JoinPath(FolderOf(target), next);
    }
    errno = ELOOP;
    return false;
}

ReplacementFile::~ReplacementFile()
{
    Discard();
}

bool ReplacementFile::Begin(const std::string& targetPath)
{
    Discard();
    std::string finalTarget;
    if (!FollowLinks(targetPath, finalTarget)) return false;
    std::string pattern = FolderOf(finalTarget) + "/.partial-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int descriptor = mkstemp(name.data());
    if (descriptor < 0) return false;
    close(descriptor);
    targetPath_ = targetPath;
    finalTarget_ = finalTarget;
    temporaryPath_ = name.data();
    return true;
}

bool ReplacementFile::Commit(bool flushToDisk)
{
    if (temporaryPath_.empty()) return false;
    int descriptor = open(temporaryPath_.c_str(), O_RDWR | O_CLOEXEC);
    bool flushed = descriptor >= 0 && fchmod(descriptor, ReplacementMode(finalTarget_)) == 0 &&
                   (!flushToDisk || fsync(descriptor) == 0);
    if (descriptor >= 0) close(descriptor);
    if (!flushed || std::rename(temporaryPath_.c_str(), finalTarget_.c_str()) != 0) {
        int reason = errno;
        Discard();
        errno = reason;
        return false;
    }
    temporaryPath_.clear();
    return true;
}

void ReplacementFile::Discard()
{
    if (!temporaryPath_.empty()) unlink(temporaryPath_.c_str());
    temporaryPath_.clear();
}

}  // namespace platform
