#pragma once
// The decimal separator of the user's locale, as the environment chooses it,
// whatever locale this process or thread runs in.

#include <optional>

namespace platform {

// The first character of the user's decimal separator, read afresh at each
// call; nullopt when the locale cannot be loaded or its separator is empty,
// undecodable or beyond the 16-bit range.
std::optional<char16_t> UserDecimalPoint();

}  // namespace platform
