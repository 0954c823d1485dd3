#pragma once
// UTF-8, the encoding of every path and text inside the programs, to and from
// the UTF-16 of the wide Windows functions.
#include <string>
#include <string_view>

namespace platform {

// Invalid UTF-8 yields an empty result.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

// The text the system gives for a GetLastError() code, without the line end.
std::string WindowsErrorText(unsigned long code);

}  // namespace platform
