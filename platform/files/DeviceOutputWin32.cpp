#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/files/DeviceOutput.h"
#include "platform/win32/Handles.h"

namespace platform {

// A client's open of a pipe fails at once when no server waits, so no open
// waits here; writes to a console or NUL do not wait for a reader either.
bool DeviceOutput::Open(const std::string& path, std::function<bool()> stop)
{
    stop_ = std::move(stop);
    failure_.clear();
    descriptor_ = FileDescriptor(OpenDescriptor(path, OpenMode::Write, Existing::Open));
    if (descriptor_.IsOpen()) return true;
    failure_ = std::strerror(errno);
    return false;
}

bool DeviceOutput::Write(const void* data, size_t length)
{
    if (failure_.empty() && !descriptor_.WriteAll(data, length)) failure_ = std::strerror(errno);
    return failure_.empty();
}

}  // namespace platform
