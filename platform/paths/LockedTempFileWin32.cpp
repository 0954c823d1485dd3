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
bool LockedTempFile::create(const std::string& folder, const std::string& prefix, const std::string& suffix)
{
    remove();
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        const std::string path = JoinPath(folder, prefix + UniquePart() + suffix);
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

// The system deleted each file of ours when its handle closed, however its
// owner ended (only a power cut leaves one, as it leaves other programs'
// temporary files); a file found by its name alone may be another program's
// ("TMP" is what GetTempFileNameW gives everyone), so nothing is touched.
size_t RemoveAbandonedTempFiles(const std::string&, const std::string&, const std::string&)
{
    return 0;
}

}  // namespace platform
