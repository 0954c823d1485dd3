#include <io.h>

#include <cerrno>
#include <climits>
#include <utility>

#include "platform/files/FileDescriptor.h"

namespace platform {

namespace {

// The C runtime moves at most INT_MAX bytes per call.
unsigned Chunk(size_t count)
{
    return count < INT_MAX ? unsigned(count) : unsigned(INT_MAX);
}

}  // namespace

FileDescriptor::~FileDescriptor()
{
    if (descriptor_ >= 0) _close(descriptor_);
}

FileDescriptor::FileDescriptor(FileDescriptor&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1))
{}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept
{
    if (this != &other) {
        if (descriptor_ >= 0) _close(descriptor_);
        descriptor_ = std::exchange(other.descriptor_, -1);
    }
    return *this;
}

bool FileDescriptor::Close()
{
    const int descriptor = std::exchange(descriptor_, -1);
    return descriptor >= 0 && _close(descriptor) == 0;
}

int64_t FileDescriptor::Read(void* buffer, size_t count)
{
    return _read(descriptor_, buffer, Chunk(count));
}

bool FileDescriptor::WriteAll(const void* data, size_t count)
{
    const char* at = static_cast<const char*>(data);
    while (count > 0) {
        const int written = _write(descriptor_, at, Chunk(count));
        if (written <= 0) return false;
        at += written;
        count -= size_t(written);
    }
    return true;
}

}  // namespace platform
