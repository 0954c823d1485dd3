#include "platform/files/FileAccess.h"

#include <sys/stat.h>
#include <unistd.h>

namespace platform {

bool PathExists(const std::string& path)
{
    return access(path.c_str(), F_OK) == 0;
}

bool IsOtherThanRegularFile(const std::string& path)
{
    struct stat info
    {
    };
    return stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode);
}

bool IsMissingOrWritable(const std::string& path)
{
    return !PathExists(path) || access(path.c_str(), W_OK) == 0;
}

}  // namespace platform
