// Number texts with the decimal point of the user's locale, read at every call
// from the environment without touching the caller's locale.
#include "ordil/include/ordil.h"
#include "ordil/src/NumberGrammar.h"
#include "ordil/src/Text16.h"
#include "platform/locale/DecimalSeparator.h"

namespace {

bool IsSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDFFF;
}

}  // namespace

extern "C" int UtlLocaleIsValidFloat(const char16_t* text)
{
    // The grammar takes one UTF-16 unit as the point: the separator's first
    // character, when it is one.
    const auto separator = platform::ReadUserDecimalSeparator();
    return separator && !IsSurrogate(separator->front()) &&
           ordil::isFloatText(ordil::view(text), separator->front());
}
