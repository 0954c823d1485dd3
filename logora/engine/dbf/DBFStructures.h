#pragma once
// The 32-byte table header and the 32-byte field descriptor of a dBASE table
// file, with their little-endian encodings.

#include <cstdint>
#include <string_view>

namespace logora {

inline constexpr uint32_t kDBFHeaderSize = 32;
inline constexpr uint32_t kDBFFieldSize = 32;
inline constexpr uint32_t kDBFFieldNameMax = 10;
inline constexpr uint8_t kDBFVersion = 0x03;
inline constexpr uint8_t kDBFHeaderTerminator = 0x0D;
inline constexpr uint8_t kDBFEndOfFile = 0x1A;
inline constexpr uint8_t kDBFRecordLive = 0x20;

struct DBFHeader
{
    uint8_t version = 0;
    uint8_t year = 0;  // year of creation modulo 100
    uint8_t month = 0;
    uint8_t day = 0;
    uint32_t recordCount = 0;
    uint16_t headerLength = 0;  // 32 + 32 x fields + 1
    uint16_t recordLength = 0;  // 1 (deletion flag) + the field lengths
    uint8_t reserved[20] = {};

    static DBFHeader Decode(const uint8_t* bytes);
    void Encode(uint8_t* bytes) const;
};

struct DBFField
{
    char name[11] = {};         // at most 10 characters, NUL padded
    char type = 0;              // C, N, F, D; any other letter reads as text
    uint32_t displacement = 0;  // first byte within the record; 1 for the first field
    uint8_t length = 0;
    uint8_t decimals = 0;
    uint8_t reserved[14] = {};

    // The stored name up to its first NUL.
    std::string_view Name() const;

    static DBFField Decode(const uint8_t* bytes);
    void Encode(uint8_t* bytes) const;
};

}  // namespace logora
