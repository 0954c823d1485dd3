#pragma once
// A file opened for reading, closed on destruction.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/files/FileDescriptor.h"

namespace platform {

class InputFile
{
public:
    enum class OpenResult { Opened, Missing, NotOpened };

    // Opens whatever `path` names for reading front to back, a device or a
    // pipe too. False when it cannot.
    bool Open(const std::string& path);
    // Opens a regular file for reading, hinting that it will be read front to
    // back, and learns its size. Missing when the path names nothing;
    // NotOpened when it cannot be read as a regular file (a folder, a device,
    // no permission). A named pipe never stalls the call.
    OpenResult OpenRegular(const std::string& path);

    bool IsOpen() const { return descriptor_.IsOpen(); }
    // The size learnt by OpenRegular.
    int64_t Size() const { return size_; }

    // Reads up to `count` bytes from where the last read ended: the number
    // read, 0 at the end, -1 on a read error.
    int64_t Read(void* buffer, size_t count) { return descriptor_.Read(buffer, count); }
    // Reads up to `count` bytes at `offset`, as Read.
    int64_t ReadAt(int64_t offset, void* buffer, size_t count);

    // Closes now; false when closing failed.
    bool Close() { return descriptor_.Close(); }

private:
    FileDescriptor descriptor_;
    int64_t size_ = 0;
};

// The size of the regular file at `path`; nullopt when it cannot be opened as
// one.
inline std::optional<uint64_t> RegularFileSize(const std::string& path)
{
    InputFile file;
    if (file.OpenRegular(path) != InputFile::OpenResult::Opened) return std::nullopt;
    return static_cast<uint64_t>(file.Size());
}

}  // namespace platform
