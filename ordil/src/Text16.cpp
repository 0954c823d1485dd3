#include "ordil/src/Text16.h"

#include <algorithm>
#include <new>
#include <optional>

#include "common/text/Utf.h"
#include "ordil/src/CharClass.h"

namespace ordil {

void copyLimited(std::u16string_view text, size_t limit, char16_t* out)
{
    size_t count = std::min(text.size(), limit);
    std::copy_n(text.data(), count, out);
    out[count] = u'\0';
}

bool equalsIgnoringCase(std::u16string_view a, std::u16string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) {
               return toUpper(x) == toUpper(y);
           });
}

std::u16string_view drivePart(std::u16string_view path)
{
    return path.size() >= 2 && path[1] == u':' ? path.substr(0, 2) : std::u16string_view();
}

bool toUtf8Path(std::u16string_view path, std::string& native)
{
    try {
        std::optional<std::string> utf8 = common::Utf16ToUtf8(path);
        if (!utf8) return false;
        // A backslash byte never occurs inside a multi-byte UTF-8 sequence.
        std::replace(utf8->begin(), utf8->end(), '\\', '/');
        native = std::move(*utf8);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace ordil
