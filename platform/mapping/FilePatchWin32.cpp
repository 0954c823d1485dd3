#include <io.h>

#include "platform/mapping/FilePatch.h"
#include "platform/win32/Handles.h"

namespace platform {

bool OverwriteFileBytes(const std::string& path, uint64_t offset, const void* data, size_t size)
{
    const int fd = OpenDescriptor(path, OpenMode::Write, Existing::Open);
    if (fd < 0) return false;
    const int64_t written = WriteAtOffset(fd, data, size, offset);
    const bool closed = _close(fd) == 0;
    return written == int64_t(size) && closed;
}

}  // namespace platform
