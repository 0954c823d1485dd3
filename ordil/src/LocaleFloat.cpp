// Number texts with the decimal point of the user's locale, read at every call
// from the environment without touching the caller's locale.
#include "ordil/include/ordil.h"
#include "ordil/src/NumberGrammar.h"
#include "ordil/src/Text16.h"

#include <langinfo.h>
#include <locale.h>

#include <cstring>
#include <cwchar>
#include <optional>

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

    // The first character of the locale's decimal separator.
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

extern "C" int UtlLocaleIsValidFloat(const char16_t* text)
{
    auto point = UserLocale().decimalPoint();
    return point && ordil::isFloatText(ordil::view(text), *point);
}
