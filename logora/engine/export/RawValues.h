#pragma once
// The binary values that the converters store inside character fields:
// little-endian doubles ("Value") and 32-bit integers ("Internal").

#include <bit>
#include <cstdint>
#include <cstring>

namespace logora {

inline double RawDouble(const uint8_t* bytes)
{
    uint64_t bits = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&bits, bytes, sizeof bits);  // one load, where the loop below may stay eight
    } else {
        for (int i = 7; i >= 0; --i) bits = (bits << 8) | bytes[i];
    }
    return std::bit_cast<double>(bits);
}

inline int32_t RawInt32(const uint8_t* bytes, size_t length = 4)
{
    uint32_t bits = 0;
    for (size_t i = length < 4 ? length : 4; i > 0; --i) bits = (bits << 8) | bytes[i - 1];
    return static_cast<int32_t>(bits);
}

}  // namespace logora
