// Seconds since 1970-01-01 UTC as the local broken-down time record.
#include "ordil/include/ordil.h"

#include <ctime>

extern "C" int UtlConvertToSystemTime(int32_t time, UtlSystemTime* systemTime)
{
    if (!systemTime) return 0;
    tzset();  // follow the current TZ setting, as localtime does
    std::time_t seconds = time;
    std::tm local{};
    if (!localtime_r(&seconds, &local)) return 0;
    *systemTime = UtlSystemTime{uint16_t(local.tm_year + 1900), uint16_t(local.tm_mon + 1),
                                uint16_t(local.tm_wday),        uint16_t(local.tm_mday),
                                uint16_t(local.tm_hour),        uint16_t(local.tm_min),
                                uint16_t(local.tm_sec),         0};
    return 1;
}
