#include "platform/files/ReplacementFile.h"

#include "platform/paths/Paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace platform {

// Permissions a file created with open(..., 0666) would get.
static mode_t NewFileMode()
{
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

ReplacementFile::~ReplacementFile()
{
    Discard();
}

bool ReplacementFile::Begin(const std::string& targetPath)
{
    Discard();
    std::string folder = FolderOf(targetPath);
    std::string pattern = folder + "/.partial-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int descriptor = mkstemp(name.data());
    if (descriptor < 0) return false;
    close(descriptor);
    targetPath_ = targetPath;
    temporaryPath_ = name.data();
    return true;
}

bool ReplacementFile::Commit(bool flushToDisk)
{
    if (temporaryPath_.empty()) return false;
    int descriptor = open(temporaryPath_.c_str(), O_RDWR | O_CLOEXEC);
    bool flushed =
        descriptor >= 0 && fchmod(descriptor, NewFileMode()) == 0 && (!flushToDisk || fsync(descriptor) == 0);
    if (descriptor >= 0) close(descriptor);
    if (!flushed || std::rename(temporaryPath_.c_str(), targetPath_.c_str()) != 0) {
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
