#include <ctime>

#include "platform/localtime/LocalTime.h"

namespace platform {

std::optional<LocalTime> ToLocalTime(int64_t secondsSince1970)
{
    _tzset();  // follow the current TZ setting, as localtime does
    const __time64_t seconds = secondsSince1970;
    std::tm local{};
    if (_localtime64_s(&local, &seconds) != 0) return std::nullopt;
    return LocalTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_wday, local.tm_mday,
                     local.tm_hour,        local.tm_min,     local.tm_sec};
}

}  // namespace platform
