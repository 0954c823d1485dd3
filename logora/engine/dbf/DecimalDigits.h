#pragma once
// Decimal digits written backwards from a number's end, two at a time from a
// table of pairs, and the texts around them: shared by the number writers of
// the conversion and export loops (FixedFormat.h), some of them inline.

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace logora::decimal {

inline constexpr uint64_t kIntegerPowersOfTen[20] = {1ull,
                                                     10ull,
                                                     100ull,
                                                     1000ull,
                                                     10000ull,
                                                     100000ull,
                                                     1000000ull,
                                                     10000000ull,
                                                     100000000ull,
                                                     1000000000ull,
                                                     10000000000ull,
                                                     100000000000ull,
                                                     1000000000000ull,
                                                     10000000000000ull,
                                                     100000000000000ull,
                                                     1000000000000000ull,
                                                     10000000000000000ull,
                                                     100000000000000000ull,
                                                     1000000000000000000ull,
                                                     10000000000000000000ull};

inline constexpr size_t kBlankCount = 32;
inline constexpr char kBlanks[kBlankCount + 1] = "                                ";

inline constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes the last `count` digits of `value` (with leading zeros) ending at
// `end`, two per division, and leaves what remains in `value`; returns the
// first digit's position.
inline char* LastDigitsBackwards(char* end, uint64_t& value, int count)
{
    char* at = end;
    for (; count >= 2; count -= 2) {
        at -= 2;
        std::memcpy(at, kDigitPairs + 2 * (value % 100), 2);
        value /= 100;
    }
    if (count == 1) {
        *--at = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    return at;
}

// Writes the digits of `value` (at least one) ending at `end`; returns the
// first digit's position.
inline char* DigitsBackwards(char* end, uint64_t value)
{
    char* at = end;
    while (value >= 100) at = LastDigitsBackwards(at, value, 2);
    if (value >= 10) return LastDigitsBackwards(at, value, 2);
    *--at = static_cast<char>('0' + value);
    return at;
}

}  // namespace logora::decimal
