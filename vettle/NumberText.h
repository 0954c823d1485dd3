#pragma once
// The number and GUID readings of marker and trailer tokens, with the C
// library's rules on a 32-bit platform: leading blanks and a sign are taken,
// parsing stops at the first character that is no digit, no digits give 0,
// and an overflow gives the largest value of the type.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vettle {

// Decimal, 0x-prefixed hexadecimal or 0-prefixed octal; a minus sign negates
// modulo 2^32.
uint32_t ParseCUnsigned32(std::string_view text);

int32_t ParseDecimalInt32(std::string_view text);

// True when `text` is a GUID in the 8-4-4-4-12 hexadecimal form, no braces.
bool IsGuidText(std::string_view text);

// The last `count` characters of `text`, all of it when shorter.
std::string_view LastChars(std::string_view text, size_t count);

// The first four tokens between `*` (markers and trailers use no more); runs
// of `*` separate like one, and no token is empty.
struct StarTokens
{
    std::array<std::string_view, 4> tokens;
    size_t count = 0;

    bool empty() const { return count == 0; }
    size_t size() const { return count; }
    std::string_view operator[](size_t i) const { return tokens[i]; }
};
StarTokens SplitStarTokens(std::string_view text);

// `text` without the trailing characters found in `characters`.
std::string_view TrimRight(std::string_view text, std::string_view characters);

}  // namespace vettle
