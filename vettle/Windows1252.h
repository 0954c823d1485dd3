#pragma once
// The 8-bit code page of files without byte order mark. Every byte maps to
// one UTF-16 unit and back: the five bytes the code page leaves undefined pass
// through as the C1 controls of the same value, so the checksum of a line
// always covers its bytes as they stand.

#include <cstdint>
#include <optional>

namespace vettle {

// Bytes 0x80 to 0x9F, the only ones that differ from Latin-1.
char16_t DecodeWindows1252High(uint8_t byte);
std::optional<uint8_t> EncodeWindows1252High(char16_t unit);

inline char16_t DecodeWindows1252(uint8_t byte)
{
    return byte >= 0x80 && byte < 0xA0 ? DecodeWindows1252High(byte) : byte;
}

// The byte for `unit`, or nothing when the code page has no such character.
inline std::optional<uint8_t> EncodeWindows1252(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<uint8_t>(unit);
    return EncodeWindows1252High(unit);
}

}  // namespace vettle
