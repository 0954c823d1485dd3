#pragma once
// Eight bytes examined at once: which of them are zero or equal a given
// byte. The conversion and export loops scan many short fields, where a
// library call per field costs more than the scan itself.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace logora {

// The high bit of each byte of `word` that is zero, and of no other byte.
inline uint64_t ZeroBytes(uint64_t word)
{
    constexpr uint64_t kLowBits = 0x7F7F7F7F7F7F7F7Full;
    return ~(((word & kLowBits) + kLowBits) | word | kLowBits);
}

// The high bit of each byte of `word` that equals `byte`.
inline uint64_t BytesEqualTo(uint64_t word, uint8_t byte)
{
    return ZeroBytes(word ^ (0x0101010101010101ull * byte));
}

// The position in memory order (0 to 7) of the first byte marked by one of
// the functions above; `marks` is not 0.
inline size_t FirstMarkedByte(uint64_t marks)
{
    if constexpr (std::endian::native == std::endian::little) return std::countr_zero(marks) / 8;
    return std::countl_zero(marks) / 8;
}

inline uint64_t LoadEightBytes(const void* bytes)
{
    uint64_t word = 0;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// strnlen(text, limit) without the library call.
inline size_t TextLength(const char* text, size_t limit)
{
    size_t at = 0;
    for (; limit - at >= 8; at += 8) {
        if (const uint64_t zero = ZeroBytes(LoadEightBytes(text + at)); zero != 0)
            return at + FirstMarkedByte(zero);
    }
    while (at < limit && text[at] != '\0') ++at;
    return at;
}

}  // namespace logora
