#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace guidara {

// Strict conversions between UTF-8 and UTF-16: malformed input (bad
// sequences, overlong forms, lone surrogates) gives nullopt rather than a
// text that names a different file.
std::optional<std::u16string> Utf8ToUtf16(std::string_view utf8);
std::optional<std::string> Utf16ToUtf8(std::u16string_view utf16);

// The 8-bit entry points' widening: each byte becomes one UTF-16 unit.
std::u16string WidenBytes(const char* text);

}  // namespace guidara
