#include "logora/engine/export/LocalClock.h"

#include <algorithm>
#include <ctime>

#include "platform/localtime/LocalTime.h"

namespace logora {

namespace {

constexpr int64_t kSecondsPerDay = 86400;

int64_t LocalSeconds(const CalendarParts& parts)
{
    return DaysFromCivil(parts.year, parts.month, parts.day) * kSecondsPerDay + parts.hour * 3600 +
           parts.minute * 60 + parts.second;
}

}  // namespace

CalendarParts LocalClock::PartsOf(int64_t localSeconds)
{
    int64_t days = localSeconds / kSecondsPerDay;
    int64_t secondOfDay = localSeconds % kSecondsPerDay;
    if (secondOfDay < 0) {
        secondOfDay += kSecondsPerDay;
        --days;
    }
    if (days != day_) {
        CivilFromDays(days, date_.year, date_.month, date_.day);
        day_ = days;
    }
    CalendarParts parts = date_;
    parts.hour = static_cast<int>(secondOfDay / 3600);
    parts.minute = static_cast<int>(secondOfDay / 60 % 60);
    parts.second = static_cast<int>(secondOfDay % 60);
    return parts;
}

bool LocalClock::Ask(int64_t seconds, CalendarParts& parts, bool& bounds, int64_t& offset) const
{
    std::tm local{};
    if (!platform::BreakDownLocalTime(seconds, local)) return false;
    const int64_t year = static_cast<int64_t>(local.tm_year) + 1900;
    if (year < 1 || year > 9999) return false;
    parts = CalendarParts{static_cast<int>(year), local.tm_mon + 1, local.tm_mday,
                          local.tm_hour,          local.tm_min,     local.tm_sec};
    bounds = local.tm_sec < 60;
    offset = LocalSeconds(parts) - seconds;
    return true;
}

bool LocalClock::Breakdown(int64_t seconds, CalendarParts& parts)
{
    if (known_ && seconds >= first_ && seconds <= last_) {
        parts = PartsOf(seconds + offset_);
        return true;
    }
    bool bounds = false;
    int64_t offset = 0;
    if (!Ask(seconds, parts, bounds, offset)) return false;
    if (!bounds) return true;
    if (!known_ || offset != offset_ || seconds < first_ - kSpan || seconds > last_ + kSpan) {
        known_ = true;
        first_ = last_ = seconds;
        offset_ = offset;
        return true;
    }
    first_ = std::min(first_, seconds);
    last_ = std::max(last_, seconds);
    // The times come close together: one more question a span ahead
    // covers those that follow.
    CalendarParts ahead;
    if (seconds == last_ && Ask(last_ + kSpan, ahead, bounds, offset) && bounds && offset == offset_)
        last_ += kSpan;
    return true;
}

}  // namespace logora
