#include "common/text/Utf.h"

#include <cstdint>

namespace common {

namespace {

constexpr char16_t kReplacementCharacter = 0xFFFD;

bool IsHighSurrogate(char32_t c)
{
    return c >= 0xD800 && c < 0xDC00;
}

bool IsLowSurrogate(char32_t c)
{
    return c >= 0xDC00 && c < 0xE000;
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
    size_t length;
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

// The sequence at `at`: the bytes it spans (the lead byte and the
// continuation bytes read after it) and, when well formed, its code point.
struct Sequence
{
    size_t span;
    char32_t code;
    bool valid;
};

Sequence ReadSequence(std::string_view bytes, size_t at)
{
    const SequenceStart start = StartOf(static_cast<uint8_t>(bytes[at]));
    char32_t code = start.bits;
    size_t span = 1;
    while (span < start.length && at + span < bytes.size() &&
           (static_cast<uint8_t>(bytes[at + span]) & 0xC0) == 0x80) {
        code = (code << 6) | (static_cast<uint8_t>(bytes[at + span]) & 0x3F);
        ++span;
    }
    const bool valid = start.length != 0 && span == start.length && code >= start.minimum &&
                       code <= 0x10FFFF && !IsHighSurrogate(code) && !IsLowSurrogate(code);
    return {span, code, valid};
}

// Without a repair, the first malformed sequence fails the whole text.
std::optional<std::u16string> Decode(std::string_view bytes, std::optional<Utf8Repair> repair)
{
    std::u16string text;
    text.reserve(bytes.size());
    size_t at = 0;
    while (at < bytes.size()) {
        const Sequence sequence = ReadSequence(bytes, at);
        if (sequence.valid) {
            AppendUtf16(text, sequence.code);
            at += sequence.span;
            continue;
        }
        if (!repair) return std::nullopt;
        text += kReplacementCharacter;
        at += *repair == Utf8Repair::PerByte ? 1 : sequence.span;
    }
    return text;
}

// Without a replacement, an unpaired surrogate fails the whole text.
std::optional<std::string> Encode(std::u16string_view text, std::optional<char> replacement)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            AppendUtf8(bytes, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            if (!replacement) return std::nullopt;
            bytes += *replacement;
        } else {
            AppendUtf8(bytes, unit);
        }
    }
    return bytes;
}

}  // namespace

std::optional<std::u16string> Utf8ToUtf16(std::string_view bytes)
{
    return Decode(bytes, std::nullopt);
}

std::u16string Utf8ToUtf16Replacing(std::string_view bytes, Utf8Repair repair)
{
    return *Decode(bytes, repair);
}

std::optional<std::string> Utf16ToUtf8(std::u16string_view text)
{
    return Encode(text, std::nullopt);
}

std::string Utf16ToUtf8Replacing(std::u16string_view text, char replacement)
{
    return *Encode(text, replacement);
}

void AppendUtf16(std::u16string& text, char32_t code)
{
    if (code < 0x10000) {
        text += static_cast<char16_t>(code);
    } else if (code <= 0x10FFFF) {
        code -= 0x10000;
        text += static_cast<char16_t>(0xD800 + (code >> 10));
        text += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    }
}

}  // namespace common
