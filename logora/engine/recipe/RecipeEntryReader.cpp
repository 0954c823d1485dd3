#include "logora/engine/recipe/RecipeEntryReader.h"

#include <vector>

#include "common/bytes/ByteReader.h"

namespace logora {

RecipeEntryReader::RecipeEntryReader(const platform::CompoundStream& stream)
    : stream_(stream), size_(stream.size())
{}

bool RecipeEntryReader::ReadBytes(uint8_t* out, size_t count)
{
    if (count > size_ || position_ > size_ - count) return false;
    if (count > 0 && stream_.readAt(position_, {out, count}) != count) return false;
    position_ += count;
    return true;
}

bool RecipeEntryReader::SeekEntry(uint32_t index)
{
    position_ = uint64_t{index} * 4;
    std::optional<uint32_t> entry = ReadU32();
    if (!entry || *entry >= size_) return false;
    position_ = *entry;
    return true;
}

std::optional<uint32_t> RecipeEntryReader::ReadU32()
{
    uint8_t bytes[4];
    if (!ReadBytes(bytes, sizeof bytes)) return std::nullopt;
    return ByteReader::decode<uint32_t>(bytes);
}

std::optional<std::u16string> RecipeEntryReader::ReadString()
{
    std::optional<uint32_t> count = ReadU32();
    if (!count) return std::nullopt;
    if (*count == 0) return std::u16string();
    if (*count > kMaxRecipeStringBytes || *count % 2 != 0 || *count > size_ - position_) {
        return std::nullopt;
    }
    std::vector<uint8_t> bytes(*count);
    if (!ReadBytes(bytes.data(), bytes.size())) return std::nullopt;
    const size_t units = bytes.size() / 2;
    if (ByteReader::decode<uint16_t>(&bytes[2 * (units - 1)]) != 0) return std::nullopt;
    std::u16string text;
    for (size_t i = 0; i + 1 < units; ++i) {
        const char16_t unit = ByteReader::decode<uint16_t>(&bytes[2 * i]);
        if (unit == 0) break;
        text.push_back(unit);
    }
    return text;
}

std::optional<RecipeVariant> RecipeEntryReader::ReadValue()
{
    uint8_t typeBytes[2];
    if (!ReadBytes(typeBytes, sizeof typeBytes)) return std::nullopt;
    RecipeVariant value;
    value.type = ByteReader::decode<uint16_t>(typeBytes);
    const VariantLayout layout = LayoutOf(value.type);
    switch (layout.payload) {
        case VariantPayload::Fixed: {
            uint8_t data[8] = {};
            if (!ReadBytes(data, layout.size)) return std::nullopt;
            value.bits = ByteReader::decode<uint64_t>(data);
            return value;
        }
        case VariantPayload::Text: {
            std::optional<std::u16string> text = ReadString();
            if (!text) return std::nullopt;
            value.text = std::move(*text);
            return value;
        }
        case VariantPayload::Object:
            break;
    }
    return std::nullopt;
}

}  // namespace logora
