#include "vettle/TextCrc32.h"

#include <zlib.h>

#include <limits>

#include "vettle/TextCodec.h"

namespace vettle {

uint32_t BytesCrc32(std::string_view bytes)
{
    uLong crc = crc32(0L, Z_NULL, 0);
    const auto* data = reinterpret_cast<const Bytef*>(bytes.data());
    size_t left = bytes.size();
    while (left > 0) {
        const auto chunk = static_cast<uInt>(std::min<size_t>(left, std::numeric_limits<uInt>::max()));
        crc = crc32(crc, data, chunk);
        data += chunk;
        left -= chunk;
    }
    return static_cast<uint32_t>(crc);
}

bool TextCrc32(std::u16string_view text, bool utf8, uint32_t& checksum)
{
    const auto bytes = EncodeText(text, utf8);
    if (!bytes) return false;
    checksum = BytesCrc32(*bytes);
    return true;
}

}  // namespace vettle
