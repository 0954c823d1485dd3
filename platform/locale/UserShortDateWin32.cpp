
#include <windows.h>

#include <cstring>

#include "platform/locale/UserShortDate.h"

namespace platform {

// The user's short date format of the regional settings, in the ANSI code
// page as all narrow text. Windows reads the settings at each call, so there
// is nothing to reload.
size_t FormatUserShortDate(const std::tm& date, char* output, size_t capacity)
{
    if (capacity == 0) return 0;
    SYSTEMTIME day{};
    day.wYear = WORD(date.tm_year + 1900);
    day.wMonth = WORD(date.tm_mon + 1);
    day.wDay = WORD(date.tm_mday);
    day.wDayOfWeek = WORD(date.tm_wday);
    wchar_t wide[128];
    const int units =
        GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &day, nullptr, wide, 128, nullptr);
    if (units <= 1) return 0;
    char narrow[512];
    const int length = WideCharToMultiByte(CP_ACP, 0, wide, units, narrow, sizeof narrow, nullptr, nullptr);
    if (length <= 0 || size_t(length) > capacity) return 0;
    std::memcpy(output, narrow, size_t(length));
    return size_t(length) - 1;
}

void ReloadUserTimeLocale() {}

}  // namespace platform
