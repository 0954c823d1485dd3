#pragma once
// Writing to a device or named pipe that is already there (a terminal,
// /dev/null, a pipe another program reads) without a wait that an interrupt
// cannot end: a named pipe that no program reads is refused at the open
// instead of waited on, and a write that waits for a slow reader asks `stop`
// ten times a second whether to give up.

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <functional>
#include <string>

#include "platform/files/FileDescriptor.h"

namespace platform {

class DeviceOutput
{
public:
    // False, with Failure() saying why, when `path` cannot be opened for
    // writing or is a named pipe without a reader.
    bool Open(const std::string& path, std::function<bool()> stop);
    // Writes all `length` bytes; false once a write failed or `stop` said so.
    bool Write(const void* data, size_t length);
    // False when a write or the close failed.
    bool Close()
    {
        if (!descriptor_.IsOpen()) return false;
        if (!descriptor_.Close() && failure_.empty()) failure_ = std::strerror(errno);
        return failure_.empty();
    }

    bool IsOpen() const { return descriptor_.IsOpen(); }
    // Why the open or a write failed; empty while nothing did.
    const std::string& Failure() const { return failure_; }

private:
    FileDescriptor descriptor_;
    std::function<bool()> stop_;
    std::string failure_;
};

}  // namespace platform
