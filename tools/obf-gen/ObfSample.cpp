#include "ObfSample.h"

#include <cmath>
#include <cstring>
#include <fstream>

#include "common/bytes/ByteReader.h"
#include "logora/engine/dbf/DBFStructures.h"

namespace obfgen {

namespace {

struct Column
{
    const char* name;
    uint8_t length;
};

template <typename T>
void Store(std::vector<uint8_t>& record, size_t at, T value)
{
    logora::storeLE(record.data() + at, value);
}

std::vector<uint8_t> EncodeRecord(const ObfSampleRecord& r, uint32_t firstColumnLength, size_t recordLength)
{
    const bool aligned = firstColumnLength == 12;
    const size_t valueAt = aligned ? 12 : firstColumnLength;
    std::vector<uint8_t> record(recordLength, 0);
    Store(record, 0, r.time);
    Store(record, 4, r.milliseconds);
    Store(record, 6, r.tagIndex);
    record[8] = r.commError;
    record[aligned ? 10 : 9] = r.marker;
    Store(record, valueAt, r.value);
    Store(record, valueAt + 8, r.internal);
    return record;
}

}  // namespace

std::vector<uint8_t> BuildObfFile(const ObfSample& sample)
{
    std::vector<Column> columns;
    if (sample.withColumns)
        columns = {{"Stamp", static_cast<uint8_t>(sample.firstColumnLength)}, {"Value", 8}, {"Internal", 4}};
    size_t recordLength = 1;
    for (const Column& column : columns) recordLength += column.length;

    logora::DBFHeader header;
    header.version = logora::kDBFVersion;
    header.year = 24;
    header.month = 3;
    header.day = 1;
    header.recordCount = static_cast<uint32_t>(sample.statedRecordCount >= 0 ? sample.statedRecordCount
                                                                             : sample.records.size());
    header.headerLength = static_cast<uint16_t>(32 + 32 * columns.size() + 1);
    header.recordLength = static_cast<uint16_t>(recordLength);

    std::vector<uint8_t> out(header.headerLength, 0);
    header.Encode(out.data());
    uint32_t displacement = 1;
    for (size_t i = 0; i < columns.size(); ++i) {
        logora::DBFField field;
        std::strncpy(field.name, columns[i].name, logora::kDBFFieldNameMax);
        field.type = 'C';
        field.displacement = displacement;
        field.length = columns[i].length;
        displacement += field.length;
        field.Encode(out.data() + 32 * (i + 1));
    }
    out.back() = logora::kDBFHeaderTerminator;
    for (const ObfSampleRecord& record : sample.records) {
        std::vector<uint8_t> bytes = EncodeRecord(record, sample.firstColumnLength, recordLength);
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    out.push_back(logora::kDBFEndOfFile);
    return out;
}

bool WriteObfFile(const std::string& path, const ObfSample& sample)
{
    const std::vector<uint8_t> bytes = BuildObfFile(sample);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::vector<ObfSampleRecord> PlantRecords(size_t count)
{
    constexpr uint32_t kStart = 1709280000;  // 1 March 2024 08:00 UTC
    std::vector<ObfSampleRecord> records;
    for (size_t i = 0; i < count; ++i) {
        ObfSampleRecord r;
        const uint32_t elapsed = static_cast<uint32_t>(i / 4) * 1000 / 4;
        r.time = kStart + elapsed / 1000;
        r.milliseconds = static_cast<uint16_t>(elapsed % 1000);
        r.tagIndex = static_cast<uint16_t>(i % 4);
        r.commError = i % 13 == 12 ? 'E' : ' ';
        r.marker = i % 4 == 0 ? 'M' : ' ';
        r.value = 20.0 + 5.0 * std::sin(static_cast<double>(i) / 10.0) + r.tagIndex;
        r.internal = static_cast<int32_t>(std::lround(r.value * 100.0));
        records.push_back(r);
    }
    return records;
}

}  // namespace obfgen
