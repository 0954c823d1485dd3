#include "platform/mapping/FilePatch.h"

#include <fcntl.h>
#include <unistd.h>

namespace platform {

bool OverwriteFileBytes(const std::string& path, uint64_t offset, const void* data, size_t size)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const ssize_t written = ::pwrite(fd, data, size, static_cast<off_t>(offset));
    const bool closed = ::close(fd) == 0;
    return written == static_cast<ssize_t>(size) && closed;
}

}  // namespace platform
