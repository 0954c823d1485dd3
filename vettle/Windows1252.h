#pragma once
// The 8-bit code page of files without byte order mark. Every byte maps to
// one UTF-16 unit and back: the five bytes the code page leaves undefined pass
// through as the C1 controls of the same value, so the checksum of a line
// always covers its bytes as they stand.

#include <cstdint>
#include <optional>

namespace vettle {

char16_t DecodeWindows1252(uint8_t byte);

// The byte for `unit`, or nothing when the code page has no such character.
std::optional<uint8_t> EncodeWindows1252(char16_t unit);

}  // namespace vettle
