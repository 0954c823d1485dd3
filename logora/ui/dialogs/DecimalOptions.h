#pragma once
// Checks of the display options the user types: digits of a floating-point
// value (decimal point included) and digits after the decimal point.

#include <string>
#include <string_view>

namespace logora::ui {

struct DecimalOptionsCheck
{
    enum Field { kNone, kDigits, kDecimals } invalidField = kNone;
    std::string message;  // empty when the values are accepted
    int digits = 0;
    int decimals = 0;
};

// Range checks first (digits 2 to 99, then decimals 1 to 99), then decimals
// must be less than digits.
DecimalOptionsCheck CheckDecimalOptions(std::string_view digitsText, std::string_view decimalsText);

}  // namespace logora::ui
