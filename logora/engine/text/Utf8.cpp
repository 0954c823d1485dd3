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

// The sequence a lead byte starts: its length (0 for a byte that cannot
// start one), the payload bits of the lead byte, and the smallest code point
// the length may encode (longer, "overlong" forms are malformed).
struct SequenceStart
{
    int length;
    char32_t bits;
    char32_t minimum;
};

SequenceStart StartOf(uint8_t lead)
{
    if (lead < 0x80) return {1, lead, 0};
    if (lead >= 0xC2 && lead < 0xE0) return {2, static_cast<char32_t>(lead & 0x1F), 0x80};
    if (lead >= 0xE0 && lead < 0xF0) return {3, static_cast<char32_t>(lead & 0x0F), 0x800};
    if (lead >= 0xF0 && lead < 0xF5) return {4, static_cast<char32_t>(lead & 0x07), 0x10000};
    return {0, 0, 0};
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    size_t i = 0;
    while (i < bytes.size()) {
        SequenceStart start = StartOf(static_cast<uint8_t>(bytes[i]));
        int length = start.length;
        char32_t c = start.bits;
        int taken = 1;
        while (length > 1 && taken < length && i + taken < bytes.size() &&
               (static_cast<uint8_t>(bytes[i + taken]) & 0xC0) == 0x80) {
            c = (c << 6) | (static_cast<uint8_t>(bytes[i + taken]) & 0x3F);
            ++taken;
        }
        bool valid = length != 0 && taken == length && c >= start.minimum && c <= 0x10FFFF &&
                     !(c >= 0xD800 && c < 0xE000);
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
