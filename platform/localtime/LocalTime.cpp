#include "platform/localtime/LocalTime.h"

#include <ctime>

namespace platform {

bool BreakDownLocalTime(int64_t secondsSince1970, std::tm& local)
{
    const std::time_t seconds = secondsSince1970;
    return localtime_r(&seconds, &local) != nullptr;
}

std::optional<LocalTime> ToLocalTime(int64_t secondsSince1970)
{
    tzset();  // follow the current TZ setting, as localtime does
    const std::time_t seconds = secondsSince1970;
    std::tm local{};
    if (!localtime_r(&seconds, &local)) return std::nullopt;
    return LocalTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_wday, local.tm_mday,
                     local.tm_hour,        local.tm_min,     local.tm_sec};
}

}  // namespace platform
