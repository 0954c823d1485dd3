#pragma once
// UTF-8 <-> UTF-16. Malformed UTF-8 reads as U+FFFD per bad sequence; a lone
// surrogate cannot be written and becomes "?".

#include <string>
#include <string_view>

namespace logora {

std::u16string Utf8ToUtf16(std::string_view bytes);
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace logora
