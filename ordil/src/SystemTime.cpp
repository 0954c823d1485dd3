// Seconds since 1970-01-01 UTC as the local broken-down time record.
#include "ordil/include/ordil.h"
#include "platform/localtime/LocalTime.h"

extern "C" int UtlConvertToSystemTime(int32_t time, UtlSystemTime* systemTime)
{
    if (!systemTime) return 0;
    const std::optional<platform::LocalTime> local = platform::ToLocalTime(time);
    if (!local) return 0;
    *systemTime = UtlSystemTime{
        uint16_t(local->year), uint16_t(local->month),  uint16_t(local->weekday), uint16_t(local->day),
        uint16_t(local->hour), uint16_t(local->minute), uint16_t(local->second),  0};
    return 1;
}
