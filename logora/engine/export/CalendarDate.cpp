#include "logora/engine/export/CalendarDate.h"

#include <cmath>

namespace logora {

namespace {

constexpr double kOleFirstDay = -657434.0;      // 1 January 100
constexpr double kOleAfterLastDay = 2958466.0;  // 1 January 10000
constexpr int64_t kSecondsPerDay = 86400;

}  // namespace

bool IsValidDate(int year, int month, int day)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
    static constexpr int kDaysInMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= kDaysInMonth[month - 1] + (month == 2 && leap ? 1 : 0);
}

bool OleDateToParts(double value, CalendarParts& parts)
{
    if (!(value >= kOleFirstDay && value < kOleAfterLastDay)) return false;
    // The whole part counts days; the fraction is the time of day also for
    // dates before 1899 (-1.25 is 29 December 1899, 06:00).
    double wholeDays = std::trunc(value);
    int64_t days = static_cast<int64_t>(wholeDays);
    int64_t seconds = std::llround(std::fabs(value - wholeDays) * kSecondsPerDay);
    if (seconds >= kSecondsPerDay) {
        seconds -= kSecondsPerDay;
        days += 1;
    }
    CalendarParts converted;
    CivilFromDays(days - kOleDaysBeforeUnixEpoch, converted.year, converted.month, converted.day);
    if (converted.year > 9999) return false;
    parts = converted;
    parts.hour = static_cast<int>(seconds / 3600);
    parts.minute = static_cast<int>(seconds / 60 % 60);
    parts.second = static_cast<int>(seconds % 60);
    return true;
}

}  // namespace logora
