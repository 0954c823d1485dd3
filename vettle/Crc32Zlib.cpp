#include <zlib.h>

#include <algorithm>
#include <limits>

#include "vettle/Crc32.h"

namespace vettle {

uint32_t Crc32Update(uint32_t crc, std::string_view bytes)
{
    // zlib takes at most an unsigned int of bytes per call.
    uLong state = crc;
    const auto* data = reinterpret_cast<const Bytef*>(bytes.data());
    size_t left = bytes.size();
    while (left > 0) {
        const auto chunk = static_cast<uInt>(std::min<size_t>(left, std::numeric_limits<uInt>::max()));
        state = crc32(state, data, chunk);
        data += chunk;
        left -= chunk;
    }
    return static_cast<uint32_t>(state);
}

}  // namespace vettle
