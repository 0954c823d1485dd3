// The grammars of integer and decimal number texts.
#pragma once

#include <string_view>

namespace ordil {

// Optional blanks, an optional sign, digits, optional blanks.
bool isIntegerText(std::u16string_view text);

// Optional blanks and sign, digits with an optional `point` and fraction
// (at least one digit before or after it), an optional exponent, and blanks
// only after an exponent.
bool isFloatText(std::u16string_view text, char16_t point);

}  // namespace ordil
