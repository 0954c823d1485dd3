#pragma once
// Where random-access bytes are read from: a file on disk
// (platform/mapping/FileByteSource) or bytes already in memory
// (MemoryByteSource), so that tests and fuzz harnesses hand inputs over
// without writing them to disk. Readers ask once per window, never per record
// or byte, so the indirection costs nothing on the hot path.

#include <cstddef>
#include <cstdint>

namespace common {

class ByteSource
{
public:
    virtual ~ByteSource() = default;

    // The current size; a file may become shorter while it is read.
    virtual uint64_t Size() const = 0;
    // Reads up to `length` bytes at `offset`: the number read, fewer than
    // `length` only where the source now ends; -1 with errno set on a read
    // error. Several threads may read one source at once.
    virtual int64_t ReadAt(uint8_t* data, size_t length, uint64_t offset) const = 0;
    // The bytes a reader should ask for at once, from 4096 to the reader's
    // own window; 0 for the reader's own. A source that makes its bytes
    // rather than copies them asks for less, so that reading one record of
    // many far apart does not make a whole window of them each time.
    virtual uint32_t ReadSizeWanted() const { return 0; }
};

}  // namespace common
