#pragma once
// Zarn .OBF datalogs: a dBASE-style header and column descriptors, then
// packed binary records in the aligned layout (first column 12 bytes) or a
// packed one (any other first column length).

#include <cstdint>
#include <string>
#include <vector>

#include "logora/engine/obf/ObfRecord.h"

namespace obfgen {

using ObfSampleRecord = logora::ObfRecord;

struct ObfSample
{
    uint32_t firstColumnLength = 12;  // 12 = aligned layout
    bool withColumns = true;          // false: a header without descriptors
    std::vector<ObfSampleRecord> records;
    int64_t statedRecordCount = -1;  // header's count; -1 = the records written
};

std::vector<uint8_t> BuildObfFile(const ObfSample& sample);
bool WriteObfFile(const std::string& path, const ObfSample& sample);

// `count` records of a few tags over one morning, 250 ms apart.
std::vector<ObfSampleRecord> PlantRecords(size_t count);

}  // namespace obfgen
