#include "platform/locale/UserShortDate.h"

#include <langinfo.h>
#include <locale.h>

#include <string>

namespace platform {

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

size_t FormatUserShortDate(const std::tm& date, char* output, size_t capacity)
{
    locale_t locale = TimeLocale().Locale();
    if (locale == static_cast<locale_t>(0) || capacity == 0) return 0;
    return strftime_l(output, capacity, TimeLocale().Format(), &date, locale);
}

void ReloadUserTimeLocale()
{
    TimeLocale().Load();
}

}  // namespace platform
