// Rewrites a number in exponent notation (such as 1.5e3) in plain form
// (1500), for the fixed-point conversions.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ordil {

// Room of the plain form, and the longest mantissa the rewriting takes.
constexpr size_t kMaxPlainForm = 17;
constexpr size_t kMaxMantissa = 33;

bool hasExponentMark(std::u16string_view text);

// The digits of the text before its first exponent mark with the point moved
// by the exponent after it; leading blanks and the sign are dropped. An
// exponent of 0 (or none that reads as a number) leaves the mantissa as it
// is. Empty when the mantissa is longer than 33 characters, or when a point
// is to be moved and the mantissa is not a decimal number or the plain form
// does not fit its room (so a value is never cut short).
std::optional<std::u16string> plainForm(std::u16string_view text);

}  // namespace ordil
