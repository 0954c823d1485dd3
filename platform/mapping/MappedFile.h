#pragma once
// A file read and written in windows of a fixed size at 64-bit file offsets.
// Windows are copied in and out with plain reads and writes rather than
// mapped, so that a file cut short by another program while it is read gives
// a short read instead of a fault on a page that no longer exists.

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// Size and alignment of every window. Fixed rather than taken from the page
// size so that window edges fall at the same offsets on every machine.
inline constexpr uint32_t kMappingViewSize = 65536;

// A file opened for windowed access. Closed on destruction.
class MappedFile
{
public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // Opens an existing regular file read-only, hinting that it is read front
    // to back. False (errno set) when it cannot.
    bool OpenRead(const std::string& path);
    // Why the last OpenRead refused a file that is there but no regular
    // file, naming it and what it is; empty otherwise.
    const std::string& Refusal() const { return refusal_; }
    // Creates the file for reading and writing, replacing one of that name.
    bool Create(const std::string& path);
    // Opens an existing file for reading and writing, keeping its bytes.
    // False (errno set) when it cannot.
    bool OpenUpdate(const std::string& path);

    bool IsOpen() const { return fd_ >= 0; }
    bool IsWritable() const { return writable_; }
    // The file's current size; 0 with errno set when it cannot be read.
    uint64_t Size() const;
    // Reads up to `length` bytes at `offset`: the number read, fewer than
    // `length` only where the file now ends; -1 with errno set on a read error.
    int64_t ReadAt(void* data, size_t length, uint64_t offset) const;
    // Grows the file to `newSize` with its blocks allocated, so that a full
    // disk shows when a window is begun rather than when it is written.
    // 0 or an errno value.
    int ExtendTo(uint64_t oldSize, uint64_t newSize);
    // Writes all `length` bytes at `offset`. 0 or an errno value.
    int WriteAt(const void* data, size_t length, uint64_t offset);
    // Sets the end of file. 0 or an errno value.
    int CutTo(uint64_t newSize);
    void Close();

private:
    int fd_ = -1;
    bool writable_ = false;
    std::string refusal_;
};

// The system's own text for an errno value.
std::string SystemErrorText(int code);

}  // namespace platform
