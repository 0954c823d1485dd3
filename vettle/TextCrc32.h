#pragma once
// The CRC-32 of a text as the data logger computes it: over the text's bytes
// in the file's encoding (UTF-8, or the 8-bit code page).

#include <cstdint>
#include <string_view>

namespace vettle {

// False when the text has no form in the file's encoding.
bool TextCrc32(std::u16string_view text, bool utf8, uint32_t& checksum);

// The same checksum over bytes already in the file's encoding.
uint32_t BytesCrc32(std::string_view bytes);

}  // namespace vettle
