#include "DatalogTable.h"

#include <cstdio>

#include "logora/engine/dbf/CDBF.h"

namespace dbfgen {

namespace {

constexpr uint32_t kTagCount = 10;
constexpr int kFirstDay = 31;  // 31 December 2024, then onwards

enum Column { kDate, kTime, kMillitm, kMarker, kTagIndex, kStatus, kValue };

}  // namespace

std::vector<std::string> DatalogTags()
{
    std::vector<std::string> tags;
    for (uint32_t i = 0; i < kTagCount; ++i) tags.push_back("Tag" + std::to_string(i));
    return tags;
}

bool WriteDatalogTable(const std::string& path, uint32_t records, ValueColumn value)
{
    logora::CDBF table;
    if (!table.Create(path)) return false;
    table.AddField("Date", 'D', 8, 0);
    table.AddField("Time", 'C', 8, 0);
    table.AddField("Millitm", 'N', 3, 0);
    table.AddField("Marker", 'C', 1, 0);
    table.AddField("TagIndex", 'C', 10, 0);
    table.AddField("Status", 'C', 1, 0);
    if (value == ValueColumn::RawDouble)
        table.AddField("Value", 'C', 8, 0);
    else
        table.AddField("Value", 'F', 17, 8);
    table.WriteHeader(records);

    std::vector<std::string> tags = DatalogTags();
    char text[32];
    for (uint32_t i = 0; i < records; ++i) {
        uint32_t group = i / kTagCount;  // one time stamp per group of tags
        uint32_t second = group / 4;     // four samples a second
        uint32_t day = second / 86400;
        // Days past the 31st count on in January (enough for the sizes used here).
        std::snprintf(text, sizeof text, "%04d%02d%02d", day == 0 ? 2024 : 2025, day == 0 ? 12 : 1,
                      day == 0 ? kFirstDay : static_cast<int>(day % 31 + 1));
        table.SetFieldString(kDate, text);
        std::snprintf(text, sizeof text, "%02u:%02u:%02u", second / 3600 % 24, second / 60 % 60, second % 60);
        table.SetFieldString(kTime, text);
        table.SetFieldInt(kMillitm, static_cast<int>(group % 4 * 250));
        table.SetFieldString(kMarker, "B");
        table.SetFieldString(kTagIndex, tags[i % kTagCount]);
        table.SetFieldString(kStatus, "0");
        double sample = static_cast<double>((i * 7919u) % 100000u) / 64.0 - 500.0;
        if (value == ValueColumn::RawDouble)
            table.SetFieldRawDouble(kValue, sample);
        else
            table.SetFieldDouble(kValue, sample);
        table.AppendRecord();
    }
    const uint8_t endOfFile = logora::kDBFEndOfFile;
    table.WriteBytes(&endOfFile, 1);
    return true;
}

}  // namespace dbfgen
