#include "platform/locale/DecimalSeparator.h"

#include <langinfo.h>
#include <locale.h>

#include <cstring>
#include <cwchar>

#include "common/text/Utf.h"

namespace platform {

namespace {

// The separator's bytes in the locale's character set as UTF-16; empty when
// they cannot be decoded.
std::u16string Decode(const char* bytes, locale_t user)
{
    std::u16string separator;
    // Decoding needs the locale's character set; uselocale switches the
    // calling thread only, and only for this loop.
    locale_t previous = uselocale(user);
    std::mbstate_t state{};
    size_t remaining = std::strlen(bytes);
    while (remaining > 0) {
        wchar_t c = 0;
        size_t used = std::mbrtowc(&c, bytes, remaining, &state);
        if (used == 0 || used > remaining) {
            separator.clear();
            break;
        }
        common::AppendUtf16(separator, static_cast<char32_t>(c));
        bytes += used;
        remaining -= used;
    }
    uselocale(previous);
    return separator;
}

}  // namespace

std::optional<std::u16string> ReadUserDecimalSeparator()
{
    locale_t user = newlocale(LC_CTYPE_MASK | LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
    if (user == static_cast<locale_t>(0)) return std::nullopt;
    const char* bytes = nl_langinfo_l(RADIXCHAR, user);
    std::u16string separator = bytes != nullptr ? Decode(bytes, user) : std::u16string();
    freelocale(user);
    if (separator.empty()) return std::nullopt;
    return separator;
}

std::u16string UserDecimalSeparator()
{
    return ReadUserDecimalSeparator().value_or(u".");
}

}  // namespace platform
