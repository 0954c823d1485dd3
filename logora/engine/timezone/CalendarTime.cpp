#include "logora/engine/timezone/CalendarTime.h"

namespace logora {

namespace {

constexpr int64_t kSecondsPerDay = 86400;

int64_t floorDiv(int64_t value, int64_t divisor)
{
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

struct CivilDate
{
    int year, month, day;
};

// The inverse of DayNumberOfDate (era-based Gregorian arithmetic).
CivilDate civilFromDays(int64_t days)
{
    days += 719468;
    int64_t era = floorDiv(days, 146097);
    int64_t dayOfEra = days - era * 146097;
    int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    int day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    int month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return {static_cast<int>(year), month, day};
}

}  // namespace

int64_t DayNumberOfDate(int year, int month, int day)
{
    int64_t y = year - (month <= 2 ? 1 : 0);
    int64_t era = floorDiv(y, 400);
    int64_t yearOfEra = y - era * 400;
    int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

int WeekdayOfDays(int64_t days)
{
    // 1 January 1970 was a Thursday.
    return static_cast<int>(((days + 4) % 7 + 7) % 7);
}

CalendarTime BreakDownSeconds(int64_t seconds)
{
    int64_t days = floorDiv(seconds, kSecondsPerDay);
    int64_t timeOfDay = seconds - days * kSecondsPerDay;
    CivilDate date = civilFromDays(days);
    CalendarTime result;
    result.year = date.year;
    result.month = date.month;
    result.day = date.day;
    result.hour = static_cast<int>(timeOfDay / 3600);
    result.minute = static_cast<int>(timeOfDay / 60 % 60);
    result.second = static_cast<int>(timeOfDay % 60);
    result.dayOfWeek = WeekdayOfDays(days);
    return result;
}

int YearOfSeconds(int64_t seconds)
{
    return civilFromDays(floorDiv(seconds, kSecondsPerDay)).year;
}

}  // namespace logora
