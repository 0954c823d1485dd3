#include "logora/engine/timezone/CalendarTime.h"

namespace logora {

namespace {

constexpr int64_t kSecondsPerDay = 86400;

int64_t floorDiv(int64_t value, int64_t divisor)
{
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

}  // namespace

int WeekdayOfDays(int64_t days)
{
    // 1 January 1970 was a Thursday.
    return static_cast<int>(((days + 4) % 7 + 7) % 7);
}

CalendarTime BreakDownSeconds(int64_t seconds)
{
    int64_t days = floorDiv(seconds, kSecondsPerDay);
    int64_t timeOfDay = seconds - days * kSecondsPerDay;
    CalendarTime result;
    CivilFromDays(days, result.year, result.month, result.day);
    result.hour = static_cast<int>(timeOfDay / 3600);
    result.minute = static_cast<int>(timeOfDay / 60 % 60);
    result.second = static_cast<int>(timeOfDay % 60);
    result.dayOfWeek = WeekdayOfDays(days);
    return result;
}

int YearOfSeconds(int64_t seconds)
{
    int year = 0, month = 0, day = 0;
    CivilFromDays(floorDiv(seconds, kSecondsPerDay), year, month, day);
    return year;
}

}  // namespace logora
