#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cerrno>

#include "platform/paths/LockedTempFile.h"
#include "platform/paths/Paths.h"
#include "platform/paths/TempFileName.h"
#include "platform/win32/Handles.h"
#include "platform/win32/WideText.h"

namespace platform {

namespace {

constexpr int kCreateAttempts = 100;
constexpr char kLetters[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

std::string UniquePart()
{
    static unsigned long long counter = 0;
    unsigned long long seed = (GetTickCount64() << 20) ^ (GetCurrentProcessId() << 8) ^ ++counter;
    std::string part;
    for (size_t i = 0; i < kTempFileUniqueLength; ++i) {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        part += kLetters[(seed >> 33) % (sizeof kLetters - 1)];
    }
    return part;
}

}  // namespace

// The handle that keeps the file is its lock: it lets others read and write
// the file but not delete it, and it deletes the file when it closes, which
// the system does however the owner ends.
bool LockedTempFile::create(const std::string& folder, const std::string& prefix)
{
    remove();
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        const std::string path = JoinPath(folder, prefix + UniquePart() + kTempFileSuffix);
        HANDLE handle = CreateFileW(Widen(path).c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            if (GetLastError() == ERROR_FILE_EXISTS) continue;
            SetErrnoFromWindows(GetLastError());
            return false;
        }
        const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDWR | _O_BINARY);
        if (fd < 0) {
            CloseHandle(handle);
            return false;
        }
        path_ = path;
        fd_ = fd;
        return true;
    }
    errno = EEXIST;
    return false;
}

void LockedTempFile::remove()
{
    if (fd_ < 0) return;
    _close(fd_);
    fd_ = -1;
    path_.clear();
}

size_t RemoveAbandonedTempFiles(const std::string& folder, const std::string& prefix)
{
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileExW(Widen(JoinPath(folder, prefix + "*" + kTempFileSuffix)).c_str(),
                                     FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return 0;
    size_t removed = 0;
    do {
        const std::string name = Narrow(found.cFileName);
        // A file still held by its owner cannot be deleted.
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsTempFileName(name, prefix) &&
            DeleteFileW(Widen(JoinPath(folder, name)).c_str())) {
            ++removed;
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return removed;
}

}  // namespace platform
