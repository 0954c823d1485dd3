#include "logora/engine/text/Utf8.h"

#include <cstdint>

namespace logora {

namespace {

void AppendCodePoint(std::u16string& text, char32_t c)
{
    if (c < 0x10000) {
        text += static_cast<char16_t>(c);
        return;
    }
    c -= 0x10000;
    text += static_cast<char16_t>(0xD800 + (c >> 10));
    text += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
}

void AppendUtf8(std::string& bytes, char32_t c)
{
    if (c < 0x80) {
        bytes += static_cast<char>(c);
    } else if (c < 0x800) {
        bytes += static_cast<char>(0xC0 | (c >> 6));
        bytes += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        bytes += static_cast<char>(0xE0 | (c >> 12));
        bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        bytes += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        bytes += static_cast<char>(0xF0 | (c >> 18));
        bytes += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        bytes += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Length of the sequence a lead byte starts, and the smallest code point it
// may encode (to reject overlong forms); 0 for a byte that cannot start one.
int SequenceLength(uint8_t lead, char32_t& minimum, char32_t& bits)
{
    if (lead < 0x80) return minimum = 0, bits = lead, 1;
    if (lead >= 0xC2 && lead < 0xE0) return minimum = 0x80, bits = lead & 0x1F, 2;
    if (lead >= 0xE0 && lead < 0xF0) return minimum = 0x800, bits = lead & 0x0F, 3;
    if (lead >= 0xF0 && lead < 0xF5) return minimum = 0x10000, bits = lead & 0x07, 4;
    return 0;
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    size_t i = 0;
    while (i < bytes.size()) {
        char32_t minimum = 0;
        char32_t c = 0;
        int length = SequenceLength(static_cast<uint8_t>(bytes[i]), minimum, c);
        int taken = 1;
        while (length > 1 && taken < length && i + taken < bytes.size() &&
               (static_cast<uint8_t>(bytes[i + taken]) & 0xC0) == 0x80) {
            c = (c << 6) | (static_cast<uint8_t>(bytes[i + taken]) & 0x3F);
            ++taken;
        }
        bool valid =
            length != 0 && taken == length && c >= minimum && c <= 0x10FFFF && !(c >= 0xD800 && c < 0xE000);
        AppendCodePoint(text, valid ? c : U'\uFFFD');
        i += taken;
    }
    return text;
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t unit = text[i];
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            AppendUtf8(bytes, 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit < 0xE000) {
            bytes += '?';
        } else {
            AppendUtf8(bytes, unit);
        }
    }
    return bytes;
}

}  // namespace logora
