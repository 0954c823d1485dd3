#include "vettle/TextCodec.h"

#include <cstdint>

#include "vettle/Windows1252.h"

namespace vettle {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsContinuation(uint8_t byte)
{
    return (byte & 0xC0) == 0x80;
}

// Length and code point of the well-formed UTF-8 sequence at `pos`, or 0 when
// the byte there starts none (overlong forms and surrogates are malformed).
size_t DecodeSequence(std::string_view bytes, size_t pos, char32_t& code)
{
    const auto at = [&](size_t i) { return static_cast<uint8_t>(bytes[pos + i]); };
    const uint8_t lead = at(0);
    size_t length = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, code = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, code = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, code = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (bytes.size() - pos < length) return 0;
    for (size_t i = 1; i < length; ++i) {
        if (!IsContinuation(at(i))) return 0;
        code = (code << 6) | (at(i) & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

}  // namespace

std::u16string DecodeAnsi(std::string_view bytes)
{
    std::u16string text(bytes.size(), u'\0');
    for (size_t i = 0; i < bytes.size(); ++i) text[i] = DecodeWindows1252(static_cast<uint8_t>(bytes[i]));
    return text;
}

std::u16string DecodeUtf8(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    size_t pos = 0;
    while (pos < bytes.size()) {
        char32_t code = 0;
        const size_t length = DecodeSequence(bytes, pos, code);
        if (length == 0) {
            text.push_back(kReplacement);
            ++pos;
            continue;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            text.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            text.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            text.push_back(static_cast<char16_t>(code));
        }
        pos += length;
    }
    return text;
}

std::optional<std::string> EncodeAnsi(std::u16string_view text)
{
    std::string bytes(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = EncodeWindows1252(text[i]);
        if (!byte) return std::nullopt;
        bytes[i] = static_cast<char>(*byte);
    }
    return bytes;
}

std::optional<std::string> EncodeUtf8(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i];
        if (code >= 0xD800 && code <= 0xDBFF) {
            if (i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) return std::nullopt;
            code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (code >= 0xDC00 && code <= 0xDFFF) {
            return std::nullopt;
        }
        if (code < 0x80) {
            bytes.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            bytes.push_back(static_cast<char>(0xC0 | (code >> 6)));
            bytes.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            bytes.push_back(static_cast<char>(0xE0 | (code >> 12)));
            bytes.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            bytes.push_back(static_cast<char>(0xF0 | (code >> 18)));
            bytes.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return bytes;
}

std::optional<std::string> EncodeText(std::u16string_view text, bool utf8)
{
    return utf8 ? EncodeUtf8(text) : EncodeAnsi(text);
}

}  // namespace vettle
