#pragma once
// Tag names from the tag file's UTF-16 into the program's 8-bit code page,
// fitted to the table's name column without cutting a character in half.

#include <cstddef>
#include <string>
#include <string_view>

namespace logora::vell {

// At most `limit` bytes of `text`, ending at a character boundary of
// `codePage` (UTF-8 and the double-byte code pages have characters of
// several bytes).
std::string FitToCharacters(std::string text, size_t limit, int codePage);

// The name given as UTF-16LE bytes (an odd last byte is ignored), up to its
// first NUL character, in `codePage`, fitted to `limit` bytes.
std::string TagNameFromUtf16(std::string_view utf16le, size_t limit, int codePage);

}  // namespace logora::vell
