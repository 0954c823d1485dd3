#pragma once
// Buffered front-to-back writing of one file, for outputs that are streamed
// in many small pieces. Write errors end the operation with an exception.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "logora/engine/dbf/TableWriteError.h"

namespace logora {

// The file being written is a table: its write errors are those of a table.
class FileWriteError : public TableWriteError
{
public:
    using TableWriteError::TableWriteError;
};

class SequentialFileWriter
{
public:
    SequentialFileWriter() = default;
    ~SequentialFileWriter();
    SequentialFileWriter(const SequentialFileWriter&) = delete;
    SequentialFileWriter& operator=(const SequentialFileWriter&) = delete;

    // Opens `path` for writing, emptying it. False when it cannot be opened.
    bool Open(const std::string& path);
    bool IsOpen() const { return fd_ >= 0; }

    // Throws FileWriteError when the bytes cannot be written.
    void Write(const void* data, size_t length);
    void WriteZeros(size_t count);
    void Flush();
    // Flushes, then overwrites bytes at `offset` (behind what was written).
    void Overwrite(uint64_t offset, const void* data, size_t length);
    // Flushes and closes; throws when the last bytes cannot be written.
    void Close();

    uint64_t BytesWritten() const { return written_ + buffer_.size(); }

private:
    void WriteOut(const uint8_t* data, size_t length);

    int fd_ = -1;
    std::string path_;
    std::vector<uint8_t> buffer_;
    uint64_t written_ = 0;
};

}  // namespace logora
