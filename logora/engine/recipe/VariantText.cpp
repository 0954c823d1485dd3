#include "logora/engine/recipe/VariantText.h"

#include <cctype>
#include <charconv>
#include <string>

#include "common/bytes/ByteReader.h"

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

}  // namespace logora
