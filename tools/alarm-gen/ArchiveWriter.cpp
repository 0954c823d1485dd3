#include "ArchiveWriter.h"

#include "common/bytes/ByteReader.h"

namespace alarmgen {

void ArchiveWriter::Put(const void* data, size_t size)
{
    const auto* bytes = static_cast<const uint8_t*>(data);
    bytes_.insert(bytes_.end(), bytes, bytes + size);
}

void ArchiveWriter::Int(int32_t value)
{
    uint8_t raw[4];
    logora::storeLE(raw, value);
    Put(raw, sizeof raw);
}

void ArchiveWriter::Byte(uint8_t value)
{
    bytes_.push_back(value);
}

void ArchiveWriter::Count(uint32_t count, bool escaped)
{
    uint8_t raw[4];
    if (count < 0xFFFF && !escaped) {
        logora::storeLE<uint16_t>(raw, static_cast<uint16_t>(count));
        Put(raw, 2);
        return;
    }
    logora::storeLE<uint16_t>(raw, 0xFFFF);
    Put(raw, 2);
    logora::storeLE<uint32_t>(raw, count);
    Put(raw, 4);
}

void ArchiveWriter::Length(uint32_t length)
{
    uint8_t raw[4];
    if (length < 0xFF) {
        Byte(static_cast<uint8_t>(length));
        return;
    }
    Byte(0xFF);
    if (length < 0xFFFE) {
        logora::storeLE<uint16_t>(raw, static_cast<uint16_t>(length));
        Put(raw, 2);
        return;
    }
    logora::storeLE<uint16_t>(raw, 0xFFFF);
    Put(raw, 2);
    logora::storeLE<uint32_t>(raw, length);
    Put(raw, 4);
}

void ArchiveWriter::RawLength(uint32_t length)
{
    Length(length);
}

void ArchiveWriter::String(std::string_view text)
{
    Length(static_cast<uint32_t>(text.size()));
    Put(text.data(), text.size());
}

void ArchiveWriter::WideString(std::u16string_view text)
{
    uint8_t raw[2];
    Byte(0xFF);
    logora::storeLE<uint16_t>(raw, 0xFFFE);
    Put(raw, 2);
    Length(static_cast<uint32_t>(text.size()));
    for (char16_t unit : text) {
        logora::storeLE<uint16_t>(raw, unit);
        Put(raw, 2);
    }
}

}  // namespace alarmgen
