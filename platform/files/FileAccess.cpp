#include "platform/files/FileAccess.h"

#include <unistd.h>

namespace platform {

bool PathExists(const std::string& path)
{
    return access(path.c_str(), F_OK) == 0;
}

bool IsMissingOrWritable(const std::string& path)
{
    return !PathExists(path) || access(path.c_str(), W_OK) == 0;
}

}  // namespace platform
