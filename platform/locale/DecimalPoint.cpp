#include "platform/locale/DecimalPoint.h"

#include <langinfo.h>
#include <locale.h>

#include <cstring>
#include <cwchar>

namespace platform {

namespace {

class UserLocale
{
public:
    UserLocale() : locale_(newlocale(LC_CTYPE_MASK | LC_NUMERIC_MASK, "", locale_t(0))) {}
    ~UserLocale()
    {
        if (locale_) freelocale(locale_);
    }
    UserLocale(const UserLocale&) = delete;
    UserLocale& operator=(const UserLocale&) = delete;

    std::optional<char16_t> decimalPoint() const
    {
        if (!locale_) return std::nullopt;
        const char* separator = nl_langinfo_l(RADIXCHAR, locale_);
        if (!separator || !*separator) return std::nullopt;
        // Decoding the separator needs the locale's character set; uselocale
        // changes the calling thread only, and only for this call.
        locale_t previous = uselocale(locale_);
        std::mbstate_t state{};
        wchar_t first = 0;
        size_t used = std::mbrtowc(&first, separator, std::strlen(separator), &state);
        uselocale(previous);
        if (used == 0 || used == size_t(-1) || used == size_t(-2) || first > 0xFFFF) return std::nullopt;
        return char16_t(first);
    }

private:
    locale_t locale_;
};

}  // namespace

std::optional<char16_t> UserDecimalPoint()
{
    return UserLocale().decimalPoint();
}

}  // namespace platform
