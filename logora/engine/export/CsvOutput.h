#pragma once
// Collects output lines in one reused block and writes the block to the file
// when it is full, so the file sees few large writes. Lines are always put
// whole, so a flushed file ends with a complete line.

#include <cstddef>
#include <memory>

#include "platform/files/OutputFile.h"

namespace logora {

class CsvOutput
{
public:
    static constexpr size_t kBlockSize = 256 * 1024;

    explicit CsvOutput(platform::OutputFile& file);
    void Put(const char* bytes, size_t length);
    // Room for `length` bytes at the end of the block, flushing it first when
    // needed, so a line can be built in place; null when `length` exceeds a
    // block. Commit then keeps the first `used` bytes of the room.
    char* Reserve(size_t length);
    void Commit(size_t used) { used_ += used; }
    void Flush();

private:
    platform::OutputFile& file_;
    std::unique_ptr<char[]> block_;
    size_t used_ = 0;
};

}  // namespace logora
