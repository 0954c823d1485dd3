#include "logora/engine/text/CodePage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <optional>

#include "logora/engine/settings/CAppSettings.h"
#include "logora/engine/text/LocaleCodePage.h"
#include "logora/engine/text/SingleByteTables.h"
#include "logora/engine/text/Utf8.h"

namespace logora {

namespace {

constexpr char16_t kReplacement = u'?';

std::string IconvName(int codePage)
{
    return "CP" + std::to_string(codePage);
}

// An iconv descriptor that closes itself.
class Converter
{
public:
    Converter(const std::string& to, const std::string& from) : handle_(iconv_open(to.c_str(), from.c_str()))
    {}
    ~Converter()
    {
        if (IsValid()) iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool IsValid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t Handle() const { return handle_; }

private:
    iconv_t handle_;
};

std::optional<int>& ActiveOverride()
{
    static std::optional<int> codePage;
    return codePage;
}

int Supported(int codePage)
{
    return IsCodePageSupported(codePage) ? codePage : kCodePageFallback;
}

std::u16string DecodeWithTable(std::string_view bytes, const std::array<char16_t, 256>& table)
{
    std::u16string text(bytes.size(), u'\0');
    std::transform(bytes.begin(), bytes.end(), text.begin(),
                   [&](char byte) { return table[static_cast<uint8_t>(byte)]; });
    return text;
}

std::string EncodeWithTable(std::u16string_view text, const std::array<char16_t, 256>& table)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (char16_t c : text) {
        if (c < 0x80) {
            bytes += static_cast<char>(c);
            continue;
        }
        auto found = std::find(table.begin() + 0x80, table.end(), c);
        bytes +=
            found == table.end() ? static_cast<char>(kReplacement) : static_cast<char>(found - table.begin());
    }
    return bytes;
}

// Runs iconv over the whole input. `onInvalid` appends the stand-in for the
// unconvertible unit at `input` and returns how many input bytes it covers.
template <typename Output, typename Replace>
void RunIconv(iconv_t handle, const char* input, size_t inputLength, Output& output, Replace onInvalid)
{
    char chunk[4096];
    char* in = const_cast<char*>(input);
    size_t inLeft = inputLength;
    while (inLeft > 0) {
        char* out = chunk;
        size_t outLeft = sizeof chunk;
        size_t result = iconv(handle, &in, &inLeft, &out, &outLeft);
        int reason = errno;
        output.append(reinterpret_cast<const typename Output::value_type*>(chunk),
                      (sizeof chunk - outLeft) / sizeof(typename Output::value_type));
        if (result == static_cast<size_t>(-1) && reason != E2BIG) {
            size_t skipped = std::min(onInvalid(in, inLeft), inLeft);
            in += skipped;
            inLeft -= skipped;
            iconv(handle, nullptr, nullptr, nullptr, nullptr);
        }
    }
}

std::u16string DecodeWithIconv(std::string_view bytes, int codePage)
{
    Converter converter("UTF-16LE", IconvName(codePage));
    std::u16string text;
    RunIconv(converter.Handle(), bytes.data(), bytes.size(), text, [&](const char* at, size_t) {
        text += static_cast<char16_t>(static_cast<uint8_t>(*at));  // passes through like an undefined byte
        return size_t{1};
    });
    return text;
}

std::string EncodeWithIconv(std::u16string_view text, int codePage)
{
    Converter converter(IconvName(codePage), "UTF-16LE");
    std::string bytes;
    RunIconv(converter.Handle(), reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t),
             bytes, [&](const char* at, size_t left) {
                 bytes += static_cast<char>(kReplacement);
                 char16_t unit = static_cast<char16_t>(static_cast<uint8_t>(at[0]) |
                                                       (left > 1 ? static_cast<uint8_t>(at[1]) << 8 : 0));
                 bool pair = unit >= 0xD800 && unit < 0xDC00 && left >= 4;
                 return size_t{pair ? 4u : 2u};
             });
    return bytes;
}

}  // namespace

bool IsCodePageSupported(int codePage)
{
    if (codePage == kCodePageUtf8 || DecodeTableOf(codePage) != nullptr) return true;
    if (codePage <= 0) return false;
    return Converter("UTF-16LE", IconvName(codePage)).IsValid() &&
           Converter(IconvName(codePage), "UTF-16LE").IsValid();
}

int ActiveCodePage()
{
    std::optional<int>& active = ActiveOverride();
    if (!active) active = Supported(AppSettings().CodePage().value_or(LocaleCodePage()));
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
    if (const auto* table = DecodeTableOf(codePage)) return DecodeWithTable(bytes, *table);
    return DecodeWithIconv(bytes, codePage);
}

std::string FromUtf16(std::u16string_view text, int codePage)
{
    codePage = Supported(codePage);
    if (codePage == kCodePageUtf8) return Utf16ToUtf8(text);
    if (const auto* table = DecodeTableOf(codePage)) return EncodeWithTable(text, *table);
    return EncodeWithIconv(text, codePage);
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
