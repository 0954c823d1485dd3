#pragma once
// Conversion between UTF-16 and a Windows code page through the C library's
// converters, which name it "CP<number>"; for the code pages that have no
// table of our own.

#include <string>
#include <string_view>

namespace platform {

// True when this machine converts `codePage` both ways.
bool CanConvertCodePage(int codePage);

// A byte that does not convert passes through as the unit of the same value.
std::u16string DecodeCodePage(std::string_view bytes, int codePage);

// A unit, or a surrogate pair, that does not convert becomes `replacement`.
std::string EncodeCodePage(std::u16string_view text, int codePage, char replacement);

}  // namespace platform
