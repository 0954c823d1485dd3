#include "logora/engine/dbf/DBFStructures.h"

#include <cstring>

#include "common/bytes/ByteReader.h"

namespace logora {

DBFHeader DBFHeader::Decode(const uint8_t* bytes)
{
    DBFHeader header;
    header.version = bytes[0];
    header.year = bytes[1];
    header.month = bytes[2];
    header.day = bytes[3];
    header.recordCount = ByteReader::decode<uint32_t>(bytes + 4);
    header.headerLength = ByteReader::decode<uint16_t>(bytes + 8);
    header.recordLength = ByteReader::decode<uint16_t>(bytes + 10);
    std::memcpy(header.reserved, bytes + 12, sizeof header.reserved);
    return header;
}

void DBFHeader::Encode(uint8_t* bytes) const
{
    bytes[0] = version;
    bytes[1] = year;
    bytes[2] = month;
    bytes[3] = day;
    storeLE(bytes + 4, recordCount);
    storeLE(bytes + 8, headerLength);
    storeLE(bytes + 10, recordLength);
    std::memcpy(bytes + 12, reserved, sizeof reserved);
}

std::string_view DBFField::Name() const
{
    return std::string_view(name, ::strnlen(name, sizeof name));
}

DBFField DBFField::Decode(const uint8_t* bytes)
{
    DBFField field;
    std::memcpy(field.name, bytes, sizeof field.name);
    field.type = static_cast<char>(bytes[11]);
    field.displacement = ByteReader::decode<uint32_t>(bytes + 12);
    field.length = bytes[16];
    field.decimals = bytes[17];
    std::memcpy(field.reserved, bytes + 18, sizeof field.reserved);
    return field;
}

void DBFField::Encode(uint8_t* bytes) const
{
    std::memcpy(bytes, name, sizeof name);
    bytes[11] = static_cast<uint8_t>(type);
    storeLE(bytes + 12, displacement);
    bytes[16] = length;
    bytes[17] = decimals;
    std::memcpy(bytes + 18, reserved, sizeof reserved);
}

}  // namespace logora
