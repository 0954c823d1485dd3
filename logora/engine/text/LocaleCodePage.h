#pragma once
// The code page the user's locale implies when the settings name none.

#include <string_view>

namespace logora {

// 65001 for a UTF-8 charset; the single-byte code page of ours that the
// charset names ("CP1251", "WINDOWS-1250", "IBM850"); 1252, the code page of
// the stations that write the files, for any other charset (the C locale's
// among them).
int CodePageOfCharset(std::string_view charset);

// CodePageOfCharset of the user's locale.
int LocaleCodePage();

}  // namespace logora
