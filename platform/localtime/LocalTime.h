#pragma once
// Seconds since 1970-01-01 UTC as the local calendar time.

#include <cstdint>
#include <ctime>
#include <optional>

namespace platform {

struct LocalTime
{
    int year;     // e.g. 2024
    int month;    // 1 to 12
    int weekday;  // 0 is Sunday
    int day;      // 1 to 31
    int hour;
    int minute;
    int second;  // 60 on a leap second
};

// Fills `local` with the local calendar time of `secondsSince1970` as the C
// library's localtime_r does (on Windows in the system's time zone), for every instant of the years 1 to 9999
// on every system; false when it cannot.
bool BreakDownLocalTime(int64_t secondsSince1970, std::tm& local);

// The local time of `secondsSince1970`, following the current time zone
// (TZ, read afresh at each call; on Windows the system's time zone, never
// TZ); nullopt when it cannot be expressed.
std::optional<LocalTime> ToLocalTime(int64_t secondsSince1970);

}  // namespace platform
