#include <windows.h>

#include <shlobj.h>

#include "platform/registry/MachineRegistry.h"
#include "platform/win32/WideText.h"

namespace platform {

namespace {

constexpr DWORD kMaxTextLength = 260;

}  // namespace

std::optional<std::string> MachineRegistryText(const std::string& key, const std::string& value)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Widen(key).c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    wchar_t text[kMaxTextLength + 1] = {};
    DWORD size = sizeof text - sizeof(wchar_t);
    DWORD type = 0;
    const LSTATUS status =
        RegQueryValueExW(opened, Widen(value).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(opened);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
    std::wstring_view read(text, size / sizeof(wchar_t));
    while (!read.empty() && read.back() == L'\0') read.remove_suffix(1);
    return Narrow(read);
}

std::string CommonProgramFilesFolder()
{
    wchar_t* path = nullptr;
    std::string folder;
    if (SHGetKnownFolderPath(FOLDERID_ProgramFilesCommon, KF_FLAG_DEFAULT, nullptr, &path) == S_OK) {
        folder = Narrow(path);
    }
    CoTaskMemFree(path);
    return folder;
}

}  // namespace platform
