#pragma once
// The number and GUID readings of marker and trailer tokens, with the C
// library's rules on a 32-bit platform: leading blanks and a sign are taken,
// parsing stops at the first character that is no digit, no digits give 0,
// and an overflow gives the largest value of the type.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vettle {

// Decimal, 0x-prefixed hexadecimal or 0-prefixed octal; a minus sign negates
// modulo 2^32.
uint32_t ParseCUnsigned32(std::string_view text);

int32_t ParseDecimalInt32(std::string_view text);

// True when `text` is a GUID in the 8-4-4-4-12 hexadecimal form, no braces.
bool IsGuidText(std::string_view text);

// The last `count` characters of `text`, all of it when shorter.
std::string_view LastChars(std::string_view text, size_t count);

// Tokens between `*`; runs of `*` separate like one, and none are empty.
std::vector<std::string_view> SplitStarTokens(std::string_view text);

// `text` without the trailing characters found in `characters`.
std::string_view TrimRight(std::string_view text, std::string_view characters);

}  // namespace vettle
