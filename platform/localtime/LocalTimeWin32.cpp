#include <windows.h>

#include "platform/localtime/LocalTime.h"

namespace platform {

namespace {

// The Gregorian calendar repeats every 400 years, weekdays included.
constexpr int64_t kCycleSeconds = 12622780800;
constexpr int kCycleYears = 400;
// FILETIME counts from 1601-01-01; a year's margin keeps every time zone's
// local time of the first instant taken inside that range too.
constexpr int64_t kFileTimeStart = -11644473600;
constexpr int64_t kFirstSafe = kFileTimeStart + 366 * 86400;
// The end of the year 3000, well inside the range.
constexpr int64_t kLastSafe = 32535215999;
// More cycles would move the year out of what std::tm holds.
constexpr int64_t kMostCycles = 5000000;

int DayOfYear(const SYSTEMTIME& time)
{
    static constexpr int kDaysBefore[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    const int year = time.wYear;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return kDaysBefore[time.wMonth - 1] + (leap && time.wMonth > 2 ? 1 : 0) + time.wDay - 1;
}

}  // namespace

// The Windows time zone of the computer decides, as the clock in the taskbar
// shows it; the C runtime's TZ variable, which Windows itself ignores, does
// not. Instants outside the system's calendar range are moved by whole
// 400-year cycles into it and the year moved back, so every year breaks down
// as on Linux.
bool BreakDownLocalTime(int64_t secondsSince1970, std::tm& local)
{
    int64_t cycles = 0;
    if (secondsSince1970 < kFirstSafe)
        cycles = -((kFirstSafe - secondsSince1970 + kCycleSeconds - 1) / kCycleSeconds);
    if (secondsSince1970 > kLastSafe)
        cycles = (secondsSince1970 - kLastSafe + kCycleSeconds - 1) / kCycleSeconds;
    if (cycles > kMostCycles || cycles < -kMostCycles) return false;
    const int64_t shifted = secondsSince1970 - cycles * kCycleSeconds;
    const uint64_t ticks = static_cast<uint64_t>(shifted - kFileTimeStart) * 10000000;
    const FILETIME instant{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    TIME_ZONE_INFORMATION zone{};
    SYSTEMTIME utc{};
    SYSTEMTIME time{};
    if (GetTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID || !FileTimeToSystemTime(&instant, &utc) ||
        !SystemTimeToTzSpecificLocalTime(&zone, &utc, &time))
        return false;
    FILETIME localInstant{};
    if (!SystemTimeToFileTime(&time, &localInstant)) return false;
    const int64_t offsetMinutes =
        static_cast<int64_t>(
            (static_cast<uint64_t>(localInstant.dwHighDateTime) << 32 | localInstant.dwLowDateTime) - ticks) /
        600000000;
    local = std::tm{};
    local.tm_year = time.wYear - 1900 + static_cast<int>(cycles * kCycleYears);
    local.tm_mon = time.wMonth - 1;
    local.tm_mday = time.wDay;
    local.tm_hour = time.wHour;
    local.tm_min = time.wMinute;
    local.tm_sec = time.wSecond;
    local.tm_wday = time.wDayOfWeek;
    local.tm_yday = DayOfYear(time);
    // Daylight saving time is in force where the offset is not the standard one.
    local.tm_isdst = offsetMinutes != -(zone.Bias + zone.StandardBias) ? 1 : 0;
    return true;
}

std::optional<LocalTime> ToLocalTime(int64_t secondsSince1970)
{
    std::tm local{};
    if (!BreakDownLocalTime(secondsSince1970, local)) return std::nullopt;
    return LocalTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_wday, local.tm_mday,
                     local.tm_hour,        local.tm_min,     local.tm_sec};
}

}  // namespace platform
