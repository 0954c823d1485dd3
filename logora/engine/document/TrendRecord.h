#pragma once
// Reading one table record as a trend sample. The layout is recognised by the
// record length alone: Zarn and Vell datalog tables, with tag numbers or with
// tag names.

#include <cstdint>
#include <string>

namespace logora {

// Where a datalog layout keeps its fields, after the deletion flag: the
// date, time and milliseconds text, then (Vell) one character, the tag
// number or name, and the value as a raw double.
struct TrendLayout
{
    static constexpr uint32_t kDateTextLength = 8;     // "%4d%2d%2d"
    static constexpr uint32_t kTimeTextLength = 19;    // "%4d%2d%2d%2d%c%2d%c%2d%3d"
    static constexpr uint32_t kSecondTextLength = 16;  // the time text before the milliseconds

    uint32_t recordLength;
    bool skipBeforeTag;   // Vell tables have one character between milliseconds and tag
    uint32_t tagLength;   // 5: tag number, 255: tag name
    uint32_t valueAfter;  // characters after the deletion flag before the value

    uint32_t TagOffset() const { return 1 + kTimeTextLength + (skipBeforeTag ? 1 : 0); }
    uint32_t ValueOffset() const { return 1 + valueAfter; }
};

// The layout of tables with this record length; null for no datalog layout.
const TrendLayout* FindTrendLayout(uint32_t recordLength);

// The record's date as an OLE Automation date (days since 30 December
// 1899); false when it is no valid date.
bool TrendDay(const uint8_t* record, double& days);
// The record's time of day as a fraction of a day, false when it is no
// valid time; and its milliseconds, whatever the time.
bool TrendTimeOfDay(const uint8_t* record, double& fraction, int32_t& milliseconds);
// The record's milliseconds alone, as TrendTimeOfDay reads them.
int32_t TrendMilliseconds(const uint8_t* record);

// The tag number as "%d" text, or the tag name without trailing blanks in
// upper case; false for a tag number that is not a number. `key` is filled
// in place, so its storage is reused from record to record.
bool ParseTrendKey(const uint8_t* record, const TrendLayout& layout, std::string& key);

}  // namespace logora
