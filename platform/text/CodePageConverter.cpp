#include "platform/text/CodePageConverter.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

namespace platform {

namespace {

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

}  // namespace

bool CanConvertCodePage(int codePage)
{
    return Converter("UTF-16LE", IconvName(codePage)).IsValid() &&
           Converter(IconvName(codePage), "UTF-16LE").IsValid();
}

std::u16string DecodeCodePage(std::string_view bytes, int codePage)
{
    Converter converter("UTF-16LE", IconvName(codePage));
    std::u16string text;
    RunIconv(converter.Handle(), bytes.data(), bytes.size(), text, [&](const char* at, size_t) {
        text += static_cast<char16_t>(static_cast<uint8_t>(*at));
        return size_t{1};
    });
    return text;
}

std::string EncodeCodePage(std::u16string_view text, int codePage, char replacement)
{
    Converter converter(IconvName(codePage), "UTF-16LE");
    std::string bytes;
    RunIconv(converter.Handle(), reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t),
             bytes, [&](const char* at, size_t left) {
                 bytes += replacement;
                 char16_t unit = static_cast<char16_t>(static_cast<uint8_t>(at[0]) |
                                                       (left > 1 ? static_cast<uint8_t>(at[1]) << 8 : 0));
                 bool pair = unit >= 0xD800 && unit < 0xDC00 && left >= 4;
                 return size_t{pair ? 4u : 2u};
             });
    return bytes;
}

}  // namespace platform
