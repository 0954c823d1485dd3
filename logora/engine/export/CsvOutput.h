#pragma once
// Collects output lines in one reused block and appends the block to the
// file when it is full, so the file sees few large appends. Flush writes what
// is collected; lines are always put whole, so a flushed file ends with a
// complete line.

#include <cstddef>
#include <memory>

#include "logora/engine/largefile/CLargeFile.h"

namespace logora {

class CsvOutput
{
public:
    explicit CsvOutput(CLargeFile& file);
    void Put(const char* bytes, size_t length);
    // Room for `length` bytes at the end of the block, flushing it first when
    // needed, so a line can be built in place; null when `length` exceeds a
    // block. Commit then keeps the first `used` bytes of the room.
    char* Reserve(size_t length);
    void Commit(size_t used) { used_ += used; }
    void Flush();
    // False once the file was closed by a failed write.
    bool IsGood() const { return file_.IsOpen(); }

private:
    static constexpr size_t kBlockSize = CLargeFile::kMaxAppendLength;
    void AppendToFile(const char* bytes, size_t length);

    CLargeFile& file_;
    std::unique_ptr<char[]> block_;
    size_t used_ = 0;
};

}  // namespace logora
