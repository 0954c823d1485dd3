#include "platform/paths/LockedTempFile.h"

#include <unistd.h>

#include "platform/paths/LockedFiles.h"

namespace platform {

bool LockedTempFile::create(const std::string& folder, const std::string& prefix, const std::string& suffix)
{
    remove();
    fd_ = CreateLockedFile(folder, prefix, suffix, path_);
    return fd_ >= 0;
}

void LockedTempFile::remove()
{
    if (fd_ < 0) return;
    // Deleted while still locked, so that no one else sees it unlocked.
    ::unlink(path_.c_str());
    ::close(fd_);
    fd_ = -1;
    path_.clear();
}

size_t RemoveAbandonedTempFiles(const std::string& folder, const std::string& prefix,
                                const std::string& suffix)
{
    return RemoveUnlockedFiles(folder, prefix, suffix);
}

}  // namespace platform
