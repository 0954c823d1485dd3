#pragma once
// Reads the framework's archive encoding (the loading direction of its
// serialisation) from bytes in memory: little-endian ints and bytes, counts
// with the 0xFFFF escape, and strings with their length prefixes and the
// 0xFFFE mark of UTF-16 text. Every read is bounds-checked; a read that runs
// out of bytes or meets an impossible length fails and leaves the reader
// failed, so a caller may check once at the end of a record.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "common/bytes/ByteReader.h"

namespace logora {

class ArchiveReader
{
public:
    // Wide texts are converted to `codePage`.
    ArchiveReader(std::span<const uint8_t> bytes, int codePage) : reader_(bytes), codePage_(codePage) {}

    bool ReadInt(int32_t& value);
    bool ReadByte(uint8_t& value);
    // A 16-bit count; 0xFFFF is followed by the real count as 32 bits.
    bool ReadCount(uint32_t& count);
    // 8-bit text as stored; UTF-16 text converted to the code page.
    bool ReadString(std::string& text);

    // Reads a count of records that take at least `minRecordBytes` each and
    // fails when the remaining bytes cannot hold that many, so a damaged
    // count never leads to a large allocation.
    bool ReadRecordCount(uint32_t& count, size_t minRecordBytes);

    bool Failed() const { return failed_; }

private:
    size_t Remaining() const { return reader_.remaining(); }
    // The character count from a length prefix, and whether the characters
    // are UTF-16.
    bool ReadStringLength(uint32_t& length, bool& wide);
    bool Fail();

    ByteReader reader_;
    int codePage_;
    bool failed_ = false;
};

}  // namespace logora
