#pragma once
// Character tables of the Windows single-byte code pages 437, 850, 874 and
// 1250 to 1258: the UTF-16 character of each of the 256 bytes.

#include <array>

namespace logora {

// The table of `codePage`, or null when it is not one of the above.
const std::array<char16_t, 256>* DecodeTableOf(int codePage);

}  // namespace logora
