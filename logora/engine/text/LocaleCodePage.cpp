#include "logora/engine/text/LocaleCodePage.h"

#include <cctype>
#include <charconv>
#include <string>

#include "common/text/SingleByteTables.h"
#include "logora/engine/text/CodePage.h"
#include "platform/locale/LocaleCharset.h"

namespace logora {

namespace {

// Upper case without "-" and "_": "utf-8" and "UTF8" compare equal.
std::string Normalized(std::string_view charset)
{
    std::string name;
    for (char c : charset) {
        if (c != '-' && c != '_') name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return name;
}

// The number after a known prefix ("CP1251" gives 1251); 0 when there is none.
int NumberedCodePage(std::string_view name)
{
    for (std::string_view prefix : {"CP", "WINDOWS", "IBM", "MS"}) {
        if (!name.starts_with(prefix)) continue;
        std::string_view digits = name.substr(prefix.size());
        int number = 0;
        auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (error == std::errc() && end == digits.data() + digits.size()) return number;
    }
    return 0;
}

}  // namespace

int CodePageOfCharset(std::string_view charset)
{
    std::string name = Normalized(charset);
    if (name == "UTF8") return kCodePageUtf8;
    int numbered = NumberedCodePage(name);
    return common::DecodeTableOf(numbered) != nullptr ? numbered : kCodePageFallback;
}

int LocaleCodePage()
{
    return CodePageOfCharset(platform::LocaleCharset());
}

}  // namespace logora
