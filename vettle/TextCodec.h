#pragma once
// Conversions between the bytes of a data log and UTF-16 text: the 8-bit code
// page (common/text/Windows1252.h) and UTF-8.

#include <optional>
#include <string>
#include <string_view>

namespace vettle {

std::u16string DecodeAnsi(std::string_view bytes);

// Malformed sequences become U+FFFD, one per byte that starts no valid
// sequence, so decoding never fails.
std::u16string DecodeUtf8(std::string_view bytes);

// Nothing when a unit has no 8-bit form.
std::optional<std::string> EncodeAnsi(std::u16string_view text);

// Nothing when the text holds an unpaired surrogate.
std::optional<std::string> EncodeUtf8(std::u16string_view text);

// Encodes by the file's encoding: UTF-8 when `utf8`, the 8-bit page otherwise.
std::optional<std::string> EncodeText(std::u16string_view text, bool utf8);

}  // namespace vettle
