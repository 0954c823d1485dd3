#include "logora/engine/export/ShortDate.h"

#include <langinfo.h>
#include <locale.h>

#include <time.h>
#include <cstring>
#include <string>

#include "logora/engine/export/CalendarDate.h"

namespace logora {

namespace {

class UserTimeLocale
{
public:
    UserTimeLocale() { Load(); }
    ~UserTimeLocale() { Free(); }
    UserTimeLocale(const UserTimeLocale&) = delete;
    UserTimeLocale& operator=(const UserTimeLocale&) = delete;

    void Load()
    {
        Free();
        locale_ = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0));
        if (locale_ == static_cast<locale_t>(0)) return;
        std::string name = nl_langinfo_l(_NL_LOCALE_NAME(LC_TIME), locale_);
        bool isPlainC = name == "C" || name == "POSIX" || name.rfind("C.", 0) == 0;
        if (isPlainC) {
            Free();
            return;
        }
        format_ = nl_langinfo_l(D_FMT, locale_);
    }

    // Null when the locale offers no usable short date.
    locale_t Locale() const { return format_.empty() ? static_cast<locale_t>(0) : locale_; }
    const char* Format() const { return format_.c_str(); }

private:
    void Free()
    {
        if (locale_ != static_cast<locale_t>(0)) freelocale(locale_);
        locale_ = static_cast<locale_t>(0);
        format_.clear();
    }

    locale_t locale_ = static_cast<locale_t>(0);
    std::string format_;
};

UserTimeLocale& TimeLocale()
{
    static UserTimeLocale locale;
    return locale;
}

}  // namespace

size_t FormatUserShortDate(int year, int month, int day, char* output, size_t capacity)
{
    locale_t locale = TimeLocale().Locale();
    if (locale == static_cast<locale_t>(0) || capacity == 0 || !IsValidDate(year, month, day)) return 0;
    struct tm date
    {
    };
    date.tm_year = year - 1900;
    date.tm_mon = month - 1;
    date.tm_mday = day;
    int64_t days = DaysFromCivil(year, month, day);
    date.tm_wday = static_cast<int>(((days % 7) + 11) % 7);  // 1 January 1970 was a Thursday
    date.tm_yday = static_cast<int>(days - DaysFromCivil(year, 1, 1));
    return strftime_l(output, capacity, TimeLocale().Format(), &date, locale);
}

void ReloadUserLocale()
{
    TimeLocale().Load();
}

}  // namespace logora
