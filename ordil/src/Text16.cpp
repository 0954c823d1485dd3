#include "ordil/src/Text16.h"

#include "ordil/src/CharClass.h"

#include <algorithm>
#include <new>

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

namespace {

void appendUtf8(char32_t code, std::string& out)
{
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

bool isHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool isLowSurrogate(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

bool toUtf8Path(std::u16string_view path, std::string& native)
{
    try {
        native.clear();
        native.reserve(path.size() * 3);
        for (size_t i = 0; i < path.size(); ++i) {
            char16_t c = path[i];
            if (isHighSurrogate(c) && i + 1 < path.size() && isLowSurrogate(path[i + 1])) {
                appendUtf8(0x10000 + ((char32_t(c) - 0xD800) << 10) + (path[i + 1] - 0xDC00), native);
                ++i;
            } else if (isHighSurrogate(c) || isLowSurrogate(c)) {
                return false;
            } else {
                appendUtf8(c == u'\\' ? u'/' : c, native);
            }
        }
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace ordil
