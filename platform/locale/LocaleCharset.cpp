#include "platform/locale/LocaleCharset.h"

#include <langinfo.h>
#include <locale.h>

#include <cstdlib>

namespace platform {

namespace {

// The locale name the C library would take for character classes.
std::string CharacterLocaleName()
{
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return value;
    }
    return "C";
}

// "de_DE.UTF-8@euro" gives "UTF-8".
std::string CharsetInName(const std::string& name)
{
    size_t dot = name.find('.');
    if (dot == std::string::npos) return {};
    size_t at = name.find('@', dot);
    return name.substr(dot + 1, at == std::string::npos ? std::string::npos : at - dot - 1);
}

}  // namespace

std::string LocaleCharset()
{
    locale_t user = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(0));
    if (user == static_cast<locale_t>(0)) return CharsetInName(CharacterLocaleName());
    std::string charset = nl_langinfo_l(CODESET, user);
    freelocale(user);
    return charset;
}

}  // namespace platform
