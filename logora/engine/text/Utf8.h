#pragma once
// UTF-8 <-> UTF-16 for the program's texts. Malformed UTF-8 reads as U+FFFD
// per bad sequence; a lone surrogate cannot be written and becomes "?".

#include <string>
#include <string_view>

#include "common/text/Utf.h"

namespace logora {

inline std::u16string Utf8ToUtf16(std::string_view bytes)
{
    return common::Utf8ToUtf16Replacing(bytes, common::Utf8Repair::PerSequence);
}

inline std::string Utf16ToUtf8(std::u16string_view text)
{
    return common::Utf16ToUtf8Replacing(text, '?');
}

}  // namespace logora
