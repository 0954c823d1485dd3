#pragma once
// File mapping in windows of a fixed size at 64-bit file offsets: a file
// descriptor that can be extended and cut, and one mapped window of it.

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// Size and alignment of every window. Fixed rather than taken from the page
// size so that window edges fall at the same offsets on every machine.
inline constexpr uint32_t kMappingViewSize = 65536;

// A file opened for mapping. Closed on destruction.
class MappedFile
{
public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // Opens an existing file read-only. False (errno set) when it cannot.
    bool openRead(const std::string& path);
    // Creates the file for reading and writing, replacing one of that name.
    bool create(const std::string& path);

    bool isOpen() const { return fd_ >= 0; }
    bool isWritable() const { return writable_; }
    // The file's current size; 0 with errno set when it cannot be read.
    uint64_t size() const;
    // Grows the file to `newSize` with its blocks allocated, so that writing
    // through a mapping never faults on a full disk. 0 or an errno value.
    int extendTo(uint64_t oldSize, uint64_t newSize);
    // Writes all `length` bytes at `offset`. 0 or an errno value.
    int writeAt(const void* data, size_t length, uint64_t offset);
    // Sets the end of file. 0 or an errno value.
    int cutTo(uint64_t newSize);
    void close();

    int descriptor() const { return fd_; }

private:
    int fd_ = -1;
    bool writable_ = false;
};

// One mapped range of a file. Released on destruction.
class MappedWindow
{
public:
    MappedWindow() = default;
    ~MappedWindow();
    MappedWindow(const MappedWindow&) = delete;
    MappedWindow& operator=(const MappedWindow&) = delete;

    // Maps `length` bytes at `offset` (a multiple of kMappingViewSize),
    // writable when the file is. Releases any earlier window first.
    // 0 or an errno value; on failure nothing is mapped.
    int map(const MappedFile& file, uint64_t offset, size_t length);
    void release();

    bool isMapped() const { return data_ != nullptr; }
    uint8_t* data() const { return data_; }
    size_t length() const { return length_; }

private:
    uint8_t* data_ = nullptr;
    size_t length_ = 0;
};

// The system's own text for an errno value.
std::string SystemErrorText(int code);

}  // namespace platform
