#include "vettle/TextCrc32.h"

#include "vettle/Crc32.h"
#include "vettle/TextCodec.h"

namespace vettle {

uint32_t BytesCrc32(std::string_view bytes)
{
    return Crc32Update(0, bytes);
}

bool TextCrc32(std::u16string_view text, bool utf8, uint32_t& checksum)
{
    const auto bytes = EncodeText(text, utf8);
    if (!bytes) return false;
    checksum = BytesCrc32(*bytes);
    return true;
}

}  // namespace vettle
