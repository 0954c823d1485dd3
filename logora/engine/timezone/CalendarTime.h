#pragma once
// Calendar fields of an instant, and the proleptic Gregorian arithmetic
// behind them (no C library time zone machinery involved).

#include <cstdint>

#include "common/time/CivilCalendar.h"

namespace logora {

// What a time zone conversion hands to its callers; no daylight flag.
struct CalendarTime
{
    int year = 1970;
    int month = 1;  // 1-12
    int day = 1;    // 1-31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int dayOfWeek = 4;  // 0 = Sunday
};

// Weekday (0 = Sunday) of a day counted from 1 January 1970.
int WeekdayOfDays(int64_t days);

// The calendar fields of `seconds` after 1 January 1970, 00:00:00.
CalendarTime BreakDownSeconds(int64_t seconds);

// The year in which `seconds` after 1970 falls.
int YearOfSeconds(int64_t seconds);

}  // namespace logora
