#include "logora/engine/timezone/ZoneRecordRule.h"

#include "logora/engine/timezone/CalendarTime.h"

namespace logora {

namespace {

int daysInMonth(int year, int month)
{
    return static_cast<int>(DaysFromCivil(month == 12 ? year + 1 : year, month == 12 ? 1 : month + 1, 1) -
                            DaysFromCivil(year, month, 1));
}

int32_t standardOffsetSeconds(const TimeZoneRecord& r)
{
    return -(r.Bias + r.StandardBias) * 60;
}
int32_t daylightOffsetSeconds(const TimeZoneRecord& r)
{
    return -(r.Bias + r.DaylightBias) * 60;
}

}  // namespace

bool TransitionLocalSeconds(const TransitionDate& date, int year, int64_t& localSeconds)
{
    if (date.month < 1 || date.month > 12 || date.hour > 23 || date.minute > 59 || date.second > 59 ||
        date.milliseconds > 999) {
        return false;
    }
    int lastDay = daysInMonth(year, date.month);
    int day = 0;
    if (date.year != 0) {
        // An absolute date: its day of the month, in the year asked for.
        if (date.day < 1 || date.day > lastDay) return false;
        day = date.day;
    } else {
        if (date.dayOfWeek > 6 || date.day < 1) return false;
        int firstWeekday = WeekdayOfDays(DaysFromCivil(year, date.month, 1));
        day = 1 + (date.dayOfWeek - firstWeekday + 7) % 7 + 7 * (date.day - 1);
        // Week 5 (and beyond) means the last such weekday of the month.
        while (day > lastDay) day -= 7;
    }
    localSeconds = DaysFromCivil(year, date.month, day) * 86400 + date.hour * 3600 + date.minute * 60 +
                   date.second + (date.milliseconds > 0 ? 1 : 0);
    return true;
}

bool IsDaylightAt(const TimeZoneRecord& record, int64_t utcSeconds)
{
    if (!record.HasDaylight()) return false;
    int year = YearOfSeconds(utcSeconds);
    int64_t startLocal = 0, endLocal = 0;
    if (!TransitionLocalSeconds(record.DaylightDate, year, startLocal) ||
        !TransitionLocalSeconds(record.StandardDate, year, endLocal)) {
        return false;
    }
    int64_t startUtc = startLocal - standardOffsetSeconds(record);
    int64_t endUtc = endLocal - daylightOffsetSeconds(record);
    if (startUtc < endUtc) return utcSeconds >= startUtc && utcSeconds < endUtc;
    return !(utcSeconds >= endUtc && utcSeconds < startUtc);
}

int32_t UtcOffsetSecondsAt(const TimeZoneRecord& record, int64_t utcSeconds)
{
    return IsDaylightAt(record, utcSeconds) ? daylightOffsetSeconds(record) : standardOffsetSeconds(record);
}

}  // namespace logora
