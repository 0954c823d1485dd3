#include "common/text/AsciiCase.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace common {

namespace {

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    // Eight bytes at a time while they are equal as they stand (the usual
    // case of texts of digits); a differing group is compared by letter.
    size_t at = 0;
    for (; a.size() - at >= 8; at += 8) {
        uint64_t x = 0;
        uint64_t y = 0;
        std::memcpy(&x, a.data() + at, 8);
        std::memcpy(&y, b.data() + at, 8);
        if (x != y) break;
    }
    return std::equal(a.begin() + at, a.end(), b.begin() + at,
                      [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

}  // namespace common
