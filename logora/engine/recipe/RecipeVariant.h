#pragma once
// The variant values of recipe files: the OLE Automation type numbers, how
// many data bytes each type carries in a file, and the value once decoded.

#include <cstdint>
#include <optional>
#include <string>

namespace logora {

namespace vt {
constexpr uint16_t Empty = 0;
constexpr uint16_t Null = 1;
constexpr uint16_t I2 = 2;
constexpr uint16_t I4 = 3;
constexpr uint16_t R4 = 4;
constexpr uint16_t R8 = 5;
constexpr uint16_t Currency = 6;
constexpr uint16_t Date = 7;
constexpr uint16_t String = 8;
constexpr uint16_t Dispatch = 9;
constexpr uint16_t Error = 10;
constexpr uint16_t Bool = 11;
constexpr uint16_t Variant = 12;
constexpr uint16_t Unknown = 13;
constexpr uint16_t Decimal = 14;
constexpr uint16_t I1 = 16;
constexpr uint16_t UI1 = 17;
constexpr uint16_t UI2 = 18;
constexpr uint16_t UI4 = 19;
constexpr uint16_t I8 = 20;
constexpr uint16_t UI8 = 21;
constexpr uint16_t Int = 22;
constexpr uint16_t UInt = 23;
}  // namespace vt

// What follows a type number in a file.
enum class VariantPayload {
    Fixed,   // a fixed number of bytes (0 for empty)
    Object,  // a persisted object, which recipe entries cannot carry
    Text,    // a string entry, converted to the type when that is not 8
};

struct VariantLayout
{
    VariantPayload payload;
    uint32_t size;  // bytes of a Fixed payload
};

VariantLayout LayoutOf(uint16_t type);

// One decoded value. Fixed payloads keep their raw bytes (little-endian,
// zero-extended) in `bits`; string payloads keep their text.
struct RecipeVariant
{
    uint16_t type = vt::Empty;
    uint64_t bits = 0;
    std::u16string text;
};

}  // namespace logora
