#include "tools/zarn-gen/DbfBytes.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "common/bytes/ByteReader.h"

namespace logora::zarngen {

uint32_t DbfRecordLength(const std::vector<DbfFieldSpec>& fields)
{
    uint32_t length = 1;
    for (const auto& field : fields) length += field.length;
    return length;
}

std::vector<uint8_t> DbfHeaderBytes(const std::vector<DbfFieldSpec>& fields, uint32_t recordCount)
{
    const size_t headerLength = 32 + 32 * fields.size() + 1;
    std::vector<uint8_t> bytes(headerLength, 0);
    bytes[0] = 0x03;
    bytes[1] = 24;  // fixed date keeps generated files reproducible
    bytes[2] = 1;
    bytes[3] = 15;
    storeLE<uint32_t>(&bytes[4], recordCount);
    storeLE<uint16_t>(&bytes[8], static_cast<uint16_t>(headerLength));
    storeLE<uint16_t>(&bytes[10], static_cast<uint16_t>(DbfRecordLength(fields)));
    uint32_t displacement = 1;
    for (size_t i = 0; i < fields.size(); ++i) {
        uint8_t* descriptor = &bytes[32 * (i + 1)];
        std::memcpy(descriptor, fields[i].name.data(), std::min<size_t>(fields[i].name.size(), 10));
        descriptor[11] = static_cast<uint8_t>(fields[i].type);
        storeLE<uint32_t>(descriptor + 12, displacement);
        descriptor[16] = fields[i].length;
        descriptor[17] = fields[i].decimals;
        displacement += fields[i].length;
    }
    bytes[headerLength - 1] = 0x0D;
    return bytes;
}

DbfRecord::DbfRecord(const std::vector<DbfFieldSpec>& fields) : fields_(fields)
{
    uint32_t displacement = 1;
    for (const auto& field : fields) {
        displacements_.push_back(displacement);
        displacement += field.length;
    }
    bytes_.assign(displacement, 0);
    bytes_[0] = 0x20;
}

uint8_t* DbfRecord::FieldStart(size_t field)
{
    return &bytes_[displacements_.at(field)];
}

void DbfRecord::SetText(size_t field, const std::string& text)
{
    uint8_t* start = FieldStart(field);
    const size_t length = fields_[field].length;
    std::memset(start, 0, length);
    std::memcpy(start, text.data(), std::min(length, text.size()));
}

void DbfRecord::SetNumber(size_t field, double value)
{
    const auto& spec = fields_[field];
    char text[512];
    std::snprintf(text, sizeof text, "%*.*f", int(spec.length), int(spec.decimals), value);
    std::memcpy(FieldStart(field), text, std::min<size_t>(spec.length, std::strlen(text)));
}

void DbfRecord::SetRawDouble(size_t field, double value)
{
    storeLE<double>(FieldStart(field), value);
}

void DbfRecord::SetRawInt32(size_t field, int32_t value)
{
    storeLE<int32_t>(FieldStart(field), value);
}

}  // namespace logora::zarngen
