#include "platform/files/DeviceOutput.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace platform {

namespace {

constexpr int kStopPollMilliseconds = 100;

}  // namespace

bool DeviceOutput::Open(const std::string& path, std::function<bool()> stop)
{
    stop_ = std::move(stop);
    failure_.clear();
    // Without O_NONBLOCK the open of a named pipe waits for a reader, and
    // SIGINT and SIGTERM restart that wait.
    descriptor_ = FileDescriptor(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (descriptor_.IsOpen()) return true;
    failure_ = errno == ENXIO ? "a named pipe that no program reads" : std::strerror(errno);
    return false;
}

bool DeviceOutput::Write(const void* data, size_t length)
{
    const char* at = static_cast<const char*>(data);
    while (failure_.empty() && length > 0) {
        const ssize_t written = ::write(descriptor_.Get(), at, length);
        if (written > 0) {
            at += written;
            length -= static_cast<size_t>(written);
        } else if (written < 0 && errno == EINTR) {
            continue;
        } else if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (stop_ && stop_()) {
                failure_ = "interrupted";
                break;
            }
            pollfd writable{descriptor_.Get(), POLLOUT, 0};
            ::poll(&writable, 1, kStopPollMilliseconds);
        } else {
            failure_ = written < 0 ? std::strerror(errno) : "nothing could be written";
        }
    }
    return failure_.empty();
}

}  // namespace platform
