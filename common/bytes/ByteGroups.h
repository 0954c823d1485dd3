#pragma once
// Eight bytes examined or moved at once: which of them are zero or equal a
// given byte, and copies of a few bytes. The conversion and export loops
// handle many short fields, where a library call per field costs more than
// the work itself.

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

// memcpy for the short copies of field bytes: up to 32 bytes as two moves
// of 16, 8 or 4 bytes, the second overlapping the first, instead of a
// library call or a string instruction with its start-up cost. Longer
// copies go to the library (memmove, which compilers keep a call).
inline void CopyFewBytes(void* to, const void* from, size_t count)
{
    auto* target = static_cast<uint8_t*>(to);
    const auto* source = static_cast<const uint8_t*>(from);
    if (count > 32) {
        std::memmove(target, source, count);
    } else if (count >= 16) {
        std::memcpy(target, source, 16);
        std::memcpy(target + count - 16, source + count - 16, 16);
    } else if (count >= 8) {
        std::memcpy(target, source, 8);
        std::memcpy(target + count - 8, source + count - 8, 8);
    } else if (count >= 4) {
        std::memcpy(target, source, 4);
        std::memcpy(target + count - 4, source + count - 4, 4);
    } else {
        for (size_t i = 0; i < count; ++i) target[i] = source[i];
    }
}

// Zero bytes to copy a field's padding from.
inline constexpr uint8_t kZeroField[256] = {};

}  // namespace logora
