#include <libdeflate.h>

#include "vettle/Crc32.h"

namespace vettle {

uint32_t Crc32Update(uint32_t crc, std::string_view bytes)
{
    return libdeflate_crc32(crc, bytes.data(), bytes.size());
}

}  // namespace vettle
