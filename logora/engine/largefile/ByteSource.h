#pragma once
// Where a large file's bytes are read from: a file on disk or bytes already
// in memory. The reader asks once per window, never per record, so the
// indirection costs nothing on the hot path.

#include <cstdint>

namespace logora {

class ByteSource
{
public:
    virtual ~ByteSource() = default;

    // The current size; a file may become shorter while it is read.
    virtual uint64_t Size() const = 0;
    // Reads up to `length` bytes at `offset`: the number read, fewer than
    // `length` only where the source now ends; -1 with errno set on a read
    // error.
    virtual int64_t ReadAt(uint8_t* data, uint32_t length, uint64_t offset) const = 0;
};

}  // namespace logora
