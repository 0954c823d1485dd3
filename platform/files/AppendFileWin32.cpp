
#include <windows.h>

#include "platform/files/AppendFile.h"
#include "platform/win32/WideText.h"

namespace platform {

bool AppendInOneWrite(const std::string& path, std::string_view bytes)
{
    // Append-only access makes every write go to the end of the file as one
    // piece, whoever else appends.
    HANDLE file = CreateFileW(Widen(path).c_str(), FILE_APPEND_DATA,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool wrote =
        WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size();
    return CloseHandle(file) && wrote;
}

}  // namespace platform
