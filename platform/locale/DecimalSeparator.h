#pragma once
// The decimal separator of the user's locale, as the environment chooses it,
// read afresh at each call without changing the process or thread locale.

#include <optional>
#include <string>

namespace platform {

// nullopt when the locale cannot be loaded or its separator is empty or
// cannot be decoded.
std::optional<std::u16string> ReadUserDecimalSeparator();

// The same, "." when it cannot be read.
std::u16string UserDecimalSeparator();

}  // namespace platform
