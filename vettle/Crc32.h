#pragma once
// The CRC-32 (the polynomial of zlib and PNG) of bytes, continued from an
// earlier result. One implementation is chosen at build time: libdeflate's,
// which uses carry-less multiplication where the processor has it, or zlib's
// where libdeflate is not available. Both give the same results.

#include <array>
#include <cstdint>
#include <string_view>

namespace vettle {

// `crc` is 0 for the first bytes, else the result for the bytes before.
uint32_t Crc32Update(uint32_t crc, std::string_view bytes);

// The CRC of one byte value, for continuing over a few bytes without a call.
inline constexpr std::array<uint32_t, 256> kCrc32ByteTable = [] {
    std::array<uint32_t, 256> table{};
    for (uint32_t i = 0; i < table.size(); ++i) {
        uint32_t c = i;
        for (int bit = 0; bit < 8; ++bit) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[i] = c;
    }
    return table;
}();

// `crc` continued over CR LF, which ends every checksummed line.
inline uint32_t Crc32UpdateLineEnd(uint32_t crc)
{
    uint32_t c = ~crc;
    for (const uint8_t byte : {uint8_t{'\r'}, uint8_t{'\n'}})
        c = kCrc32ByteTable[(c ^ byte) & 0xFF] ^ (c >> 8);
    return ~c;
}

}  // namespace vettle
