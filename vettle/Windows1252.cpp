#include "vettle/Windows1252.h"

#include <array>

namespace vettle {

namespace {

// Bytes 0x80 to 0x9F; the undefined 0x81, 0x8D, 0x8F, 0x90 and 0x9D keep
// their own value.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

char16_t DecodeWindows1252High(uint8_t byte)
{
    return kHighControls[byte - 0x80];
}

std::optional<uint8_t> EncodeWindows1252High(char16_t unit)
{
    for (size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == unit) return static_cast<uint8_t>(0x80 + i);
    }
    return std::nullopt;
}

}  // namespace vettle
