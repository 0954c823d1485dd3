#include <windows.h>

#include "platform/paths/NameIgnoringCase.h"
#include "platform/paths/Paths.h"
#include "platform/win32/WideText.h"

namespace platform {

// Windows file systems find a name in any letter case themselves; the name
// is given back as the folder spells it.
std::string FindIgnoringCase(const std::string& path)
{
    WIN32_FIND_DATAW found{};
    HANDLE search =
        FindFirstFileExW(Widen(path).c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return path;
    FindClose(search);
    const size_t separator = path.find_last_of("\\/");
    const std::string name = Narrow(found.cFileName);
    return separator == std::string::npos ? name : path.substr(0, separator + 1) + name;
}

}  // namespace platform
