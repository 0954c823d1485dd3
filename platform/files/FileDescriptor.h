#pragma once
// An open file descriptor, closed exactly once: the handle under the file
// classes of this layer.

#include <cstddef>
#include <cstdint>

namespace platform {

class FileDescriptor
{
public:
    explicit FileDescriptor(int descriptor = -1) : descriptor_(descriptor) {}
    ~FileDescriptor();
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor(FileDescriptor&& other) noexcept;
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;

    int Get() const { return descriptor_; }
    bool IsOpen() const { return descriptor_ >= 0; }

    // Closes now; false when closing failed or nothing was open.
    bool Close();

    // Reads up to `count` bytes, retrying interrupted reads: the number read,
    // 0 at the end, -1 (errno set) on an error.
    int64_t Read(void* buffer, size_t count);
    // Writes all `count` bytes, retrying short and interrupted writes. False
    // (errno set) when a write failed.
    bool WriteAll(const void* data, size_t count);

private:
    int descriptor_;
};

}  // namespace platform
