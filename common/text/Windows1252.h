#pragma once
// Windows-1252, the 8-bit code page of data logs without byte order mark.
// Every byte maps to one UTF-16 unit and back: the five bytes the code page
// leaves undefined pass through as the C1 controls of the same value.

#include "common/text/SingleByteTables.h"

namespace common {

inline char16_t DecodeWindows1252(uint8_t byte)
{
    return Windows1252Table()[byte];
}

// The byte for `unit`, or nothing when the code page has no such character.
inline std::optional<uint8_t> EncodeWindows1252(char16_t unit)
{
    return EncodeWithTable(unit, Windows1252Table());
}

}  // namespace common
