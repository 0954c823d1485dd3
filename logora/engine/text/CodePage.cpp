#include "logora/engine/text/CodePage.h"

#include <algorithm>
#include <optional>

#include "common/text/SingleByteTables.h"
#include "logora/engine/settings/AppSettings.h"
#include "logora/engine/text/LocaleCodePage.h"
#include "logora/engine/text/Utf8.h"
#include "platform/text/CodePageConverter.h"

namespace logora {

namespace {

constexpr char kReplacement = '?';

std::optional<int>& ActiveOverride()
{
    static std::optional<int> codePage;
    return codePage;
}

int Supported(int codePage)
{
    return IsCodePageSupported(codePage) ? codePage : kCodePageFallback;
}

std::u16string DecodeWithTable(std::string_view bytes, const common::SingleByteTable& table)
{
    std::u16string text(bytes.size(), u'\0');
    std::transform(bytes.begin(), bytes.end(), text.begin(),
                   [&](char byte) { return table[static_cast<uint8_t>(byte)]; });
    return text;
}

std::string EncodeWithTable(std::u16string_view text, const common::SingleByteTable& table)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (char16_t c : text)
        bytes += static_cast<char>(common::EncodeWithTable(c, table).value_or(kReplacement));
    return bytes;
}

}  // namespace

bool IsCodePageSupported(int codePage)
{
    if (codePage == kCodePageUtf8 || common::DecodeTableOf(codePage) != nullptr) return true;
    return codePage > 0 && platform::CanConvertCodePage(codePage);
}

int CodePageOf(const AppSettings& settings)
{
    return Supported(settings.CodePage().value_or(LocaleCodePage()));
}

int ActiveCodePage()
{
    std::optional<int>& active = ActiveOverride();
    if (!active) active = CodePageOf(ProgramAppSettings());
    return *active;
}

void SetActiveCodePage(int codePage)
{
    ActiveOverride() = Supported(codePage);
}

std::u16string ToUtf16(std::string_view bytes, int codePage)
{
    codePage = Supported(codePage);
    if (codePage == kCodePageUtf8) return Utf8ToUtf16(bytes);
    if (const auto* table = common::DecodeTableOf(codePage)) return DecodeWithTable(bytes, *table);
    return platform::DecodeCodePage(bytes, codePage);
}

std::string FromUtf16(std::u16string_view text, int codePage)
{
    codePage = Supported(codePage);
    if (codePage == kCodePageUtf8) return Utf16ToUtf8(text);
    if (const auto* table = common::DecodeTableOf(codePage)) return EncodeWithTable(text, *table);
    return platform::EncodeCodePage(text, codePage, kReplacement);
}

std::u16string ToUtf16(std::string_view bytes)
{
    return ToUtf16(bytes, ActiveCodePage());
}
std::string FromUtf16(std::u16string_view text)
{
    return FromUtf16(text, ActiveCodePage());
}

bool IsLeadByte(int codePage, uint8_t byte)
{
    switch (codePage) {
        case 932:
            return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        case 936:
        case 949:
        case 950:
            return byte >= 0x81 && byte <= 0xFE;
        default:
            return false;
    }
}

}  // namespace logora
