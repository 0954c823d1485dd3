#include "logora/engine/recipe/VariantText.h"

#include <langinfo.h>
#include <locale.h>

#include <cctype>
#include <charconv>
#include <cstring>
#include <cwchar>
#include <string>

#include "logora/engine/common/ByteReader.h"

namespace logora {

namespace {

std::u16string Ascii(std::string_view text)
{
    return std::u16string(text.begin(), text.end());
}

template <typename T>
T As(uint64_t bits)
{
    uint8_t bytes[sizeof(uint64_t)];
    storeLE(bytes, bits);
    return ByteReader::decode<T>(bytes);
}

template <typename T>
std::u16string Decimal(T value)
{
    return Ascii(std::to_string(value));
}

// "%.<digits>G": the shortest of fixed and exponent form, trailing zeros
// dropped, written locale-independently; the point then becomes the
// locale's separator.
std::u16string Real(double value, int digits, std::u16string_view separator)
{
    char text[64];
    auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::general, digits);
    if (error != std::errc()) return {};
    std::u16string result;
    for (const char* p = text; p != end; ++p) {
        if (*p == '.') {
            result.append(separator);
        } else {
            result.push_back(static_cast<char16_t>(std::toupper(static_cast<unsigned char>(*p))));
        }
    }
    return result;
}

void AppendUtf16(std::u16string& out, char32_t c)
{
    if (c < 0x10000) {
        out.push_back(static_cast<char16_t>(c));
    } else if (c <= 0x10FFFF) {
        c -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    }
}

}  // namespace

std::u16string VariantToText(const RecipeVariant& value, std::u16string_view decimalSeparator)
{
    switch (value.type) {
        case vt::I1:
            return Decimal(int{As<int8_t>(value.bits)});
        case vt::UI1:
            return Decimal(unsigned{As<uint8_t>(value.bits)});
        case vt::I2:
            return Decimal(int{As<int16_t>(value.bits)});
        case vt::UI2:
            return Decimal(unsigned{As<uint16_t>(value.bits)});
        case vt::I4:
        case vt::Int:
            return Decimal(As<int32_t>(value.bits));
        case vt::UI4:
        case vt::UInt:
            return Decimal(As<uint32_t>(value.bits));
        case vt::R4:
            return Real(As<float>(value.bits), 7, decimalSeparator);
        case vt::R8:
            return Real(As<double>(value.bits), 15, decimalSeparator);
        case vt::Bool:
            return Ascii(As<uint16_t>(value.bits) != 0 ? "True" : "False");
        case vt::String:
            return value.text;
        default:
            return {};
    }
}

std::u16string UserDecimalSeparator()
{
    const std::u16string fallback = u".";
    locale_t user = newlocale(LC_CTYPE_MASK | LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
    if (user == static_cast<locale_t>(0)) return fallback;
    std::u16string separator;
    const char* bytes = nl_langinfo_l(RADIXCHAR, user);
    if (bytes != nullptr) {
        // Decoding needs the locale's character set; uselocale switches the
        // calling thread only, and only for this loop.
        locale_t previous = uselocale(user);
        std::mbstate_t state{};
        size_t remaining = std::strlen(bytes);
        while (remaining > 0) {
            wchar_t c = 0;
            size_t used = std::mbrtowc(&c, bytes, remaining, &state);
            if (used == 0 || used > remaining) {
                separator.clear();
                break;
            }
            AppendUtf16(separator, static_cast<char32_t>(c));
            bytes += used;
            remaining -= used;
        }
        uselocale(previous);
    }
    freelocale(user);
    return separator.empty() ? fallback : separator;
}

}  // namespace logora
