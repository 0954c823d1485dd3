#pragma once
// The process-wide table of the time zones the system knows, and the
// conversion of a UTC time stamp into the local time of one of them.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "logora/engine/timezone/CalendarTime.h"
#include "logora/engine/timezone/TimeZoneRecord.h"

namespace platform {
struct ZoneRule;
}

namespace logora {

constexpr size_t kMaxTimeZoneDisplayName = 255;

struct TimeZoneEntry
{
    uint32_t Index = 0;
    std::string DisplayName;  // "(UTC+01:00) Europe/Berlin"
    TimeZoneRecordBytes TimeZoneRecord{};
};

using TimeZoneTable = std::vector<std::unique_ptr<TimeZoneEntry>>;

// Without `currentName`, a table already loaded is returned as it is (an
// empty one is loaded). With it, the name is emptied, the table is read again
// from the system's tz database and the name receives the display name of
// the computer's current zone (stays empty when that zone is not listed).
// The reference stays valid until the next FreeTimeZoneTable.
const TimeZoneTable& LoadTimeZoneTable(std::string* currentName = nullptr);

void FreeTimeZoneTable();

// The calendar time of the UTC time stamp in the zone of table entry
// `position`, loading the table first if it is empty. A position outside the
// table gives the computer's local time.
CalendarTime ConvertToZone(int64_t time, int position);

// The table of the given zone rules: ordered by UTC offset, then name, with
// Index giving that order. Exposed so that tests can build tables of their own.
TimeZoneTable BuildTimeZoneTable(const std::vector<platform::ZoneRule>& rules);

// "(UTC+05:30) Asia/Kolkata" for a bias of -330 minutes.
std::string TimeZoneDisplayName(int32_t biasMinutes, const std::string& zone);

// The computer's local calendar time of a UTC time stamp (C library).
CalendarTime LocalCalendarTime(int64_t time);

}  // namespace logora
