#include "platform/localtime/LocalTime.h"

namespace platform {

namespace {

// The Gregorian calendar repeats every 400 years, weekdays included.
constexpr int64_t kCycleSeconds = 12622780800;
constexpr int kCycleYears = 400;
// The C runtime breaks down instants from 1970 to the end of 3000 only; a
// day's margin keeps every time zone's local time inside.
constexpr int64_t kFirstSafe = 86400;
constexpr int64_t kLastSafe = 32535215999 - 86400;

}  // namespace

// Instants outside the runtime's range are moved by whole 400-year cycles
// into it and the year moved back, so every year from 1 to 9999 breaks down
// as on Linux.
bool BreakDownLocalTime(int64_t secondsSince1970, std::tm& local)
{
    int64_t cycles = 0;
    if (secondsSince1970 < kFirstSafe)
        cycles = -((kFirstSafe - secondsSince1970 + kCycleSeconds - 1) / kCycleSeconds);
    if (secondsSince1970 > kLastSafe)
        cycles = (secondsSince1970 - kLastSafe + kCycleSeconds - 1) / kCycleSeconds;
    const __time64_t shifted = secondsSince1970 - cycles * kCycleSeconds;
    if (_localtime64_s(&local, &shifted) != 0) return false;
    local.tm_year += static_cast<int>(cycles * kCycleYears);
    return true;
}

std::optional<LocalTime> ToLocalTime(int64_t secondsSince1970)
{
    _tzset();  // follow the current TZ setting, as localtime does
    std::tm local{};
    if (!BreakDownLocalTime(secondsSince1970, local)) return std::nullopt;
    return LocalTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_wday, local.tm_mday,
                     local.tm_hour,        local.tm_min,     local.tm_sec};
}

}  // namespace platform
