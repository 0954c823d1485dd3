#include "vettle/TextCodec.h"

#include <cstdint>

#include "common/text/Utf.h"
#include "common/text/Windows1252.h"

namespace vettle {

std::u16string DecodeAnsi(std::string_view bytes)
{
    std::u16string text(bytes.size(), u'\0');
    for (size_t i = 0; i < bytes.size(); ++i)
        text[i] = common::DecodeWindows1252(static_cast<uint8_t>(bytes[i]));
    return text;
}

std::u16string DecodeUtf8(std::string_view bytes)
{
    return common::Utf8ToUtf16Replacing(bytes, common::Utf8Repair::PerByte);
}

std::optional<std::string> EncodeAnsi(std::u16string_view text)
{
    std::string bytes(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = common::EncodeWindows1252(text[i]);
        if (!byte) return std::nullopt;
        bytes[i] = static_cast<char>(*byte);
    }
    return bytes;
}

std::optional<std::string> EncodeUtf8(std::u16string_view text)
{
    return common::Utf16ToUtf8(text);
}

std::optional<std::string> EncodeText(std::u16string_view text, bool utf8)
{
    return utf8 ? EncodeUtf8(text) : EncodeAnsi(text);
}

}  // namespace vettle
