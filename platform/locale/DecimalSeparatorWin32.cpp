
#include <windows.h>

#include "platform/locale/DecimalSeparator.h"

namespace platform {

std::optional<std::u16string> ReadUserDecimalSeparator()
{
    wchar_t separator[8] = {};
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
    if (length <= 1) return std::nullopt;  // the count includes the terminator
    return std::u16string(separator, separator + length - 1);
}

std::u16string UserDecimalSeparator()
{
    return ReadUserDecimalSeparator().value_or(u".");
}

}  // namespace platform
