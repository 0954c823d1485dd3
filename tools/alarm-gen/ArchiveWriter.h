#pragma once
// Writes the framework's archive encoding (the storing direction), the
// counterpart of the alarm engine's archive reader, for sample setup files.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace alarmgen {

class ArchiveWriter
{
public:
    void Int(int32_t value);
    void Byte(uint8_t value);
    // Counts from 0xFFFF on, or any count when `escaped`, take the 0xFFFF
    // escape and 32 bits.
    void Count(uint32_t count, bool escaped = false);
    // 8-bit text with the shortest length prefix.
    void String(std::string_view text);
    // UTF-16 text: the 0xFFFE mark, then the length prefix and the units.
    void WideString(std::u16string_view text);
    // Any length prefix, for damaged samples.
    void RawLength(uint32_t length);

    const std::vector<uint8_t>& Bytes() const { return bytes_; }

private:
    void Put(const void* data, size_t size);
    void Length(uint32_t length);

    std::vector<uint8_t> bytes_;
};

}  // namespace alarmgen
