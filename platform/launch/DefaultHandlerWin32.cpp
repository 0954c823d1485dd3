#include <windows.h>

#include <shellapi.h>

#include "platform/launch/DefaultHandler.h"
#include "platform/win32/WideText.h"

namespace platform {

bool OpenWithDefaultHandler(const std::string& target)
{
    const std::wstring wide = Widen(target);
    if (wide.empty()) return false;
    // Values above 32 mean the handler was started.
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

}  // namespace platform
