#pragma once
// The decimal separator of the user's locale, as the environment chooses it,
// without changing the process locale.

#include <string>

namespace platform {

// "." when the locale cannot be read or its separator cannot be decoded.
std::u16string UserDecimalSeparator();

}  // namespace platform
