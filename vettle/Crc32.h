#pragma once
// The CRC-32 (the polynomial of zlib and PNG) of bytes, continued from an
// earlier result. One implementation is chosen at build time: libdeflate's,
// which uses carry-less multiplication where the processor has it, or zlib's
// where libdeflate is not available. Both give the same results.

#include <cstdint>
#include <string_view>

namespace vettle {

// `crc` is 0 for the first bytes, else the result for the bytes before.
uint32_t Crc32Update(uint32_t crc, std::string_view bytes);

}  // namespace vettle
