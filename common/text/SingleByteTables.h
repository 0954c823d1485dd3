#pragma once
// Character tables of the Windows single-byte code pages 437, 850, 874 and
// 1250 to 1258: the UTF-16 character of each of the 256 bytes. Bytes a code
// page leaves undefined stand for the character of the same number, so every
// byte decodes to one unit and encodes back to itself.

#include <array>
#include <cstdint>
#include <optional>

namespace common {

using SingleByteTable = std::array<char16_t, 256>;

// The table of `codePage`, or null when it is not one of the above.
const SingleByteTable* DecodeTableOf(int codePage);

const SingleByteTable& Windows1252Table();

// The byte whose character is `unit`, or nothing when the table has none.
std::optional<uint8_t> EncodeWithTable(char16_t unit, const SingleByteTable& table);

}  // namespace common
