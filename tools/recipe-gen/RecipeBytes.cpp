#include "RecipeBytes.h"

#include "common/bytes/ByteReader.h"
#include "logora/engine/recipe/RecipeVariant.h"

namespace recipegen {

namespace {

template <typename T>
void Append(Bytes& out, T value)
{
    uint8_t raw[sizeof(T)];
    logora::storeLE(raw, value);
    out.insert(out.end(), raw, raw + sizeof(T));
}

template <typename T>
Bytes Value(uint16_t type, T value)
{
    Bytes out;
    Append(out, type);
    Append(out, value);
    return out;
}

}  // namespace

Bytes StringEntry(const std::u16string& text)
{
    Bytes out;
    if (text.empty()) {
        Append(out, uint32_t{0});
        return out;
    }
    Append(out, static_cast<uint32_t>(2 * (text.size() + 1)));
    for (char16_t unit : text) Append(out, static_cast<uint16_t>(unit));
    Append(out, uint16_t{0});
    return out;
}

Bytes RawStringEntry(uint32_t count, const Bytes& bytes)
{
    Bytes out;
    out.reserve(4 + bytes.size());
    Append(out, count);
    for (uint8_t byte : bytes) out.push_back(byte);
    return out;
}

Bytes EmptyValue()
{
    Bytes out;
    Append(out, logora::vt::Empty);
    return out;
}

Bytes Int16Value(int16_t value)
{
    return Value(logora::vt::I2, value);
}

Bytes Int32Value(int32_t value)
{
    return Value(logora::vt::I4, value);
}

Bytes FloatValue(float value)
{
    return Value(logora::vt::R4, value);
}

Bytes DoubleValue(double value)
{
    return Value(logora::vt::R8, value);
}

Bytes BoolValue(bool value)
{
    return Value(logora::vt::Bool, static_cast<int16_t>(value ? -1 : 0));
}

Bytes StringValue(const std::u16string& text)
{
    Bytes out;
    Append(out, logora::vt::String);
    Bytes entry = StringEntry(text);
    out.insert(out.end(), entry.begin(), entry.end());
    return out;
}

Bytes Int8Value(int8_t value)
{
    return Value(logora::vt::I1, value);
}

Bytes UInt8Value(uint8_t value)
{
    return Value(logora::vt::UI1, value);
}

Bytes UInt16Value(uint16_t value)
{
    return Value(logora::vt::UI2, value);
}

Bytes UInt32Value(uint32_t value)
{
    return Value(logora::vt::UI4, value);
}

Bytes DateValue(double days)
{
    return Value(logora::vt::Date, days);
}

Bytes RawValue(uint16_t type, const Bytes& payload)
{
    Bytes out;
    Append(out, type);
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}

Bytes IngredientEntry(uint32_t type, const Bytes& minimum, const Bytes& maximum, const std::u16string& name)
{
    Bytes out;
    Append(out, type);
    out.insert(out.end(), minimum.begin(), minimum.end());
    out.insert(out.end(), maximum.begin(), maximum.end());
    Bytes nameEntry = StringEntry(name);
    out.insert(out.end(), nameEntry.begin(), nameEntry.end());
    return out;
}

Bytes OffsetTableStream(const std::vector<Bytes>& entries)
{
    Bytes out;
    uint32_t position = static_cast<uint32_t>(4 * entries.size());
    for (const Bytes& entry : entries) {
        Append(out, position);
        position += static_cast<uint32_t>(entry.size());
    }
    for (const Bytes& entry : entries) out.insert(out.end(), entry.begin(), entry.end());
    return out;
}

}  // namespace recipegen
