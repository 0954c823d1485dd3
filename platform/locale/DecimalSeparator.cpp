#include "platform/locale/DecimalSeparator.h"

#include <langinfo.h>
#include <locale.h>

#include <cstring>
#include <cwchar>

#include "common/text/Utf.h"

namespace platform {

std::u16string UserDecimalSeparator()
{
    const std::u16string fallback = u".";
    locale_t user = newlocale(LC_CTYPE_MASK | LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
    if (user == static_cast<locale_t>(0)) return fallback;
    std::u16string separator;
    const char* bytes = nl_langinfo_l(RADIXCHAR, user);
    if (bytes != nullptr) {
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
    }
    freelocale(user);
    return separator.empty() ? fallback : separator;
}

}  // namespace platform
