// Opens arbitrary bytes as a dBASE table and reads every record and field.
#include <algorithm>
#include <cstdint>
#include <span>
#include <string>

#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/largefile/MappingErrorSink.h"

namespace {

// An empty input is reported as a table that cannot be mapped: not here.
void IgnoreMappingError(const std::string&, const std::string&, const std::string&) {}

// Bounds the work on inputs that claim billions of records of no length.
constexpr int64_t kMaxRecords = 4096;

void ReadEverything(logora::CDBF& table)
{
    char text[256];
    uint8_t bytes[256];
    volatile uint32_t sink = 0;
    volatile double total = 0;
    const int64_t last = std::min<int64_t>(table.GetRecordCount() + 1, kMaxRecords);
    for (int64_t r = 0; r <= last; ++r) {
        const uint8_t* record = nullptr;
        const bool read = table.ReadRecord(r, &record);
        for (uint32_t i = 0; i < table.GetRecordLength(); ++i) sink = sink + record[i];
        for (int f = 0; f < table.GetFieldCount(); ++f) {
            const logora::DBFField field = table.GetField(f);
            table.GetFieldText(f, text);
            table.GetFieldBytes(f, bytes, sizeof bytes);
            sink = sink + static_cast<uint32_t>(table.GetFieldString(f).size() + table.GetFieldLong(f) +
                                                table.GetFieldInt(f));
            total = total + table.GetFieldDouble(f) + table.GetFieldFloat(f);
            sink = sink + static_cast<uint32_t>(table.GetFieldString(field.Name()).size());
        }
        if (!read) break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    logora::CDBF table(IgnoreMappingError);
    if (!table.OpenMemory(std::span<const uint8_t>(data, size), "input.dbf")) return 0;
    table.ReadFieldDescriptors();
    ReadEverything(table);
    return 0;
}
