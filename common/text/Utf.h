#pragma once
// UTF-8 <-> UTF-16. A UTF-8 sequence is well formed when its lead byte is
// 00-7F, C2-F4, its continuation bytes are all there, and it encodes neither
// an overlong form, a surrogate nor a value beyond U+10FFFF. A UTF-16
// surrogate is well formed only as a high-low pair.
//
// Strict forms fail on malformed input; the replacing forms never fail, and
// each caller states what stands for a malformed part.

#include <optional>
#include <string>
#include <string_view>

namespace common {

// What replaces malformed UTF-8 with U+FFFD: each byte that starts no
// well-formed sequence, or each lead byte together with the continuation
// bytes that follow it (up to the length the lead byte announces).
enum class Utf8Repair {
    PerByte,
    PerSequence,
};

std::optional<std::u16string> Utf8ToUtf16(std::string_view bytes);
std::u16string Utf8ToUtf16Replacing(std::string_view bytes, Utf8Repair repair);

std::optional<std::string> Utf16ToUtf8(std::u16string_view text);
// Writes each unpaired surrogate as `replacement`.
std::string Utf16ToUtf8Replacing(std::u16string_view text, char replacement);

// Appends a code point as one unit or a surrogate pair; nothing for a value
// beyond U+10FFFF.
void AppendUtf16(std::u16string& text, char32_t code);

}  // namespace common
