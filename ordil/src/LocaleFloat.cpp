// Number texts with the decimal point of the user's locale, read at every call
// from the environment without touching the caller's locale.
#include "ordil/include/ordil.h"
#include "ordil/src/NumberGrammar.h"
#include "ordil/src/Text16.h"
#include "platform/locale/DecimalPoint.h"

extern "C" int UtlLocaleIsValidFloat(const char16_t* text)
{
    auto point = platform::UserDecimalPoint();
    return point && ordil::isFloatText(ordil::view(text), *point);
}
