#pragma once
// Reading one table record as a trend sample. The layout is recognised by the
// record length alone: Zarn and Vell datalog tables, with tag numbers or with
// tag names.

#include <cstdint>
#include <string>

namespace logora {

struct TrendRecord
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, milliseconds = 0;
    std::string key;  // tag number as "%d" text, or tag name without trailing blanks, upper case
    double value = 0.0;
};

// False for a record length of no datalog layout, or a tag number that is
// not a number.
bool ParseTrendRecord(const uint8_t* record, uint32_t recordLength, TrendRecord& parsed);

// The OLE Automation date of the record's time, false when it is no valid
// date and time.
bool TrendRecordDateTime(const TrendRecord& record, double& dateTime);

}  // namespace logora
