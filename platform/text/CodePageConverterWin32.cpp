
#include <windows.h>

#include "platform/text/CodePageConverter.h"

namespace platform {

namespace {

// The units of `bytes` in `codePage`, or nothing when one does not convert.
bool DecodeExactly(const char* bytes, int length, int codePage, std::u16string& out)
{
    wchar_t units[4];
    const int count = MultiByteToWideChar(UINT(codePage), MB_ERR_INVALID_CHARS, bytes, length, units, 4);
    if (count <= 0) return false;
    out.append(units, units + count);
    return true;
}

}  // namespace

bool CanConvertCodePage(int codePage)
{
    return codePage > 0 && IsValidCodePage(UINT(codePage));
}

std::u16string DecodeCodePage(std::string_view bytes, int codePage)
{
    std::u16string text;
    text.reserve(bytes.size());
    for (size_t at = 0; at < bytes.size();) {
        // A lead byte of a double-byte code page goes with the byte after it.
        const bool lead = at + 1 < bytes.size() && IsDBCSLeadByteEx(UINT(codePage), BYTE(bytes[at]));
        if (lead && DecodeExactly(bytes.data() + at, 2, codePage, text)) {
            at += 2;
            continue;
        }
        if (!DecodeExactly(bytes.data() + at, 1, codePage, text)) text += char16_t(uint8_t(bytes[at]));
        ++at;
    }
    return text;
}

std::string EncodeCodePage(std::u16string_view text, int codePage, char replacement)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        const bool pair = text[at] >= 0xD800 && text[at] < 0xDC00 && at + 1 < text.size() &&
                          text[at + 1] >= 0xDC00 && text[at + 1] < 0xE000;
        const int units = pair ? 2 : 1;
        char encoded[8];
        BOOL usedDefault = FALSE;
        // UTF-7 and UTF-8 take no default character and no best-fit flag.
        const bool plain = codePage == CP_UTF7 || codePage == CP_UTF8;
        const int length =
            WideCharToMultiByte(UINT(codePage), plain ? 0 : WC_NO_BEST_FIT_CHARS,
                                reinterpret_cast<const wchar_t*>(text.data() + at), units, encoded,
                                sizeof encoded, nullptr, plain ? nullptr : &usedDefault);
        if (length <= 0 || usedDefault) {
            bytes += replacement;
        } else {
            bytes.append(encoded, size_t(length));
        }
        at += size_t(units);
    }
    return bytes;
}

}  // namespace platform
