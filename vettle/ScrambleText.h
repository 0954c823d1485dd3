#pragma once
// The reversible scrambling of line markers and trailers: each UTF-16 unit is
// XORed with a four-unit key by its index. Applying it twice restores the text.

#include <cstddef>

namespace vettle {

inline constexpr char16_t kScrambleKey[4] = {0x005F, 0x0021, 0x007C, 0x006A};

void ScrambleText(char16_t* text, size_t count);

}  // namespace vettle
