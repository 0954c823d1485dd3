#include "platform/files/FileDescriptor.h"

#include <unistd.h>

#include <cerrno>
#include <utility>

namespace platform {

FileDescriptor::~FileDescriptor()
{
    if (descriptor_ >= 0) close(descriptor_);
}

FileDescriptor::FileDescriptor(FileDescriptor&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1))
{}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept
{
    if (this != &other) {
        if (descriptor_ >= 0) close(descriptor_);
        descriptor_ = std::exchange(other.descriptor_, -1);
    }
    return *this;
}

bool FileDescriptor::Close()
{
    return close(std::exchange(descriptor_, -1)) == 0;
}

int64_t FileDescriptor::Read(void* buffer, size_t count)
{
    for (;;) {
        const ssize_t got = read(descriptor_, buffer, count);
        if (got >= 0 || errno != EINTR) return got;
    }
}

bool FileDescriptor::WriteAll(const void* data, size_t count)
{
    const char* at = static_cast<const char*>(data);
    while (count > 0) {
        const ssize_t written = write(descriptor_, at, count);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        at += written;
        count -= static_cast<size_t>(written);
    }
    return true;
}

}  // namespace platform
