
#include <windows.h>

#include "platform/files/TempName.h"
#include "platform/win32/Handles.h"
#include "platform/win32/WideText.h"

namespace platform {

std::string CreateTempFileIn(const std::string& folder)
{
    wchar_t name[MAX_PATH + 1] = {};
    if (GetTempFileNameW(Widen(folder.empty() ? std::string(".") : folder).c_str(), L"TMP", 0, name) == 0) {
        SetErrnoFromWindows(GetLastError());
        return {};
    }
    return Narrow(name);
}

}  // namespace platform
