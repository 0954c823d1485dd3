#pragma once
// The character set of the user's locale, as the environment chooses it
// (LC_ALL, else LC_CTYPE, else LANG), whatever locale this process runs in.

#include <string>

namespace platform {

// "UTF-8", "ANSI_X3.4-1968" (the C locale), "CP1251", ... as the C library
// names it. For a locale this machine lacks, the part of its name after "."
// ("de_DE.UTF-8" gives "UTF-8"); empty when the name has none.
std::string LocaleCharset();

}  // namespace platform
