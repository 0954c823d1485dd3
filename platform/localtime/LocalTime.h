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
// library's localtime_r does, for every instant of the years 1 to 9999 on
// every system; false when it cannot.
bool BreakDownLocalTime(int64_t secondsSince1970, std::tm& local);

// The local time of `secondsSince1970`, following the current TZ setting
// (read afresh at each call); nullopt when the C library cannot express it.
std::optional<LocalTime> ToLocalTime(int64_t secondsSince1970);

}  // namespace platform
