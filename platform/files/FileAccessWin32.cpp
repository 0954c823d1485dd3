
#include <windows.h>

#include <sys/stat.h>

#include "platform/files/FileAccess.h"
#include "platform/win32/WideText.h"

namespace platform {

bool PathExists(const std::string& path)
{
    return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsOtherThanRegularFile(const std::string& path)
{
    // The C runtime's status tells devices (NUL, CON) and pipes apart from files.
    struct _stat64 info
    {
    };
    return _wstat64(Widen(path).c_str(), &info) == 0 && (info.st_mode & _S_IFMT) != _S_IFREG;
}

bool IsMissingOrWritable(const std::string& path)
{
    if (!PathExists(path)) return true;
    // Asking for write access is the one answer that counts ACLs, the
    // read-only attribute and write-protected media alike.
    HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

}  // namespace platform
