#include <windows.h>

#include <shlobj.h>

#include "platform/registry/MachineRegistry.h"
#include "platform/win32/WideText.h"

namespace platform {

namespace {

constexpr DWORD kMaxTextLength = 260;

// The value as read from one registry view; nullopt as MachineRegistryText.
std::optional<std::wstring> TextInView(const std::wstring& key, const std::wstring& value, REGSAM view)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ | view, &opened) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    wchar_t text[kMaxTextLength + 1] = {};
    DWORD size = sizeof text - sizeof(wchar_t);
    DWORD type = 0;
    const LSTATUS status =
        RegQueryValueExW(opened, value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(opened);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
    std::wstring read(text, size / sizeof(wchar_t));
    while (!read.empty() && read.back() == L'\0') read.pop_back();
    if (type == REG_SZ || read.empty()) return read;
    // REG_EXPAND_SZ: "%ProgramFiles%\..." as the installer wrote it.
    const DWORD length = ExpandEnvironmentStringsW(read.c_str(), nullptr, 0);
    if (length == 0) return std::nullopt;
    std::wstring expanded(length, L'\0');
    if (ExpandEnvironmentStringsW(read.c_str(), expanded.data(), length) != length) return std::nullopt;
    expanded.pop_back();
    return expanded;
}

}  // namespace

// An installer of the other bit width writes to the other view of
// HKLM\SOFTWARE: a value missing in the program's own view is looked for
// there too.
std::optional<std::string> MachineRegistryText(const std::string& key, const std::string& value)
{
    const REGSAM otherView = sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
    for (const REGSAM view : {REGSAM(0), otherView}) {
        if (std::optional<std::wstring> text = TextInView(Widen(key), Widen(value), view))
            return Narrow(*text);
    }
    return std::nullopt;
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
