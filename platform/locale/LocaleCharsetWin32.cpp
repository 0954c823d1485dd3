
#include <windows.h>

#include "platform/locale/LocaleCharset.h"

namespace platform {

// The ANSI code page of the system, the one narrow text is written in.
std::string LocaleCharset()
{
    const UINT codePage = GetACP();
    return codePage == CP_UTF8 ? std::string("UTF-8") : "CP" + std::to_string(codePage);
}

}  // namespace platform
