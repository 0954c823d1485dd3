// Small helpers for NUL-terminated UTF-16 texts.
#pragma once

#include <string>
#include <string_view>

namespace ordil {

// The text up to its terminator; empty for a missing text.
inline std::u16string_view view(const char16_t* text)
{
    return text ? std::u16string_view(text) : std::u16string_view();
}

// Copies at most `limit` characters of `text` to `out` and terminates it.
void copyLimited(std::u16string_view text, size_t limit, char16_t* out);

bool equalsIgnoringCase(std::u16string_view a, std::u16string_view b);

// The path in UTF-8, with "\" turned into "/". Fails for text that is not
// valid UTF-16.
bool toUtf8Path(std::u16string_view path, std::string& native);

// The first two characters when the second is a colon, else empty.
std::u16string_view drivePart(std::u16string_view path);

}  // namespace ordil
