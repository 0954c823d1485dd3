#include "platform/files/SameFile.h"

#include <sys/stat.h>

namespace platform {

std::optional<FileIdentity> IdentityOfFile(const std::string& path)
{
    struct stat status
    {
    };
    if (::stat(path.c_str(), &status) != 0) return std::nullopt;
    return FileIdentity{static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino)};
}

bool SameFile(const std::string& first, const std::string& second)
{
    struct stat a
    {
    };
    struct stat b
    {
    };
    if (::stat(first.c_str(), &a) != 0 || ::stat(second.c_str(), &b) != 0) return false;
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace platform
