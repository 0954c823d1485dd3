#pragma once
// Comparing words typed by users, who write switches and extensions in either
// letter case.

#include <algorithm>
#include <cctype>
#include <string_view>

namespace vettle {

inline bool SameLetter(char a, char b)
{
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

inline bool EqualsIgnoringCase(std::string_view text, std::string_view word)
{
    return std::equal(text.begin(), text.end(), word.begin(), word.end(), SameLetter);
}

}  // namespace vettle
