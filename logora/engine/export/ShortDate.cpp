#include "logora/engine/export/ShortDate.h"

#include <ctime>

#include "logora/engine/export/CalendarDate.h"
#include "platform/locale/UserShortDate.h"

namespace logora {

size_t FormatUserShortDate(int year, int month, int day, char* output, size_t capacity)
{
    if (!IsValidDate(year, month, day)) return 0;
    std::tm date{};
    date.tm_year = year - 1900;
    date.tm_mon = month - 1;
    date.tm_mday = day;
    int64_t days = DaysFromCivil(year, month, day);
    date.tm_wday = static_cast<int>(((days % 7) + 11) % 7);  // 1 January 1970 was a Thursday
    date.tm_yday = static_cast<int>(days - DaysFromCivil(year, 1, 1));
    return platform::FormatUserShortDate(date, output, capacity);
}

void ReloadUserLocale()
{
    platform::ReloadUserTimeLocale();
}

}  // namespace logora
