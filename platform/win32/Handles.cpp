#include "platform/win32/Handles.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <climits>

#include "platform/win32/WideText.h"

namespace platform {

namespace {

// One call moves at most this much: ReadFile and WriteFile take 32-bit counts.
constexpr size_t kMaxTransfer = 1u << 30;

DWORD Disposition(Existing existing)
{
    switch (existing) {
        case Existing::Open:
            return OPEN_EXISTING;
        case Existing::Truncate:
            return TRUNCATE_EXISTING;
        case Existing::CreateOrTruncate:
            return CREATE_ALWAYS;
        case Existing::CreateOrOpen:
            return OPEN_ALWAYS;
        case Existing::CreateNew:
            return CREATE_NEW;
    }
    return OPEN_EXISTING;
}

OVERLAPPED At(uint64_t offset)
{
    OVERLAPPED at{};
    at.Offset = DWORD(offset & 0xFFFFFFFFu);
    at.OffsetHigh = DWORD(offset >> 32);
    return at;
}

}  // namespace

int SetErrnoFromWindows(unsigned long code)
{
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_NETPATH:
            errno = ENOENT;
            break;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT:
            errno = EACCES;
            break;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            errno = EEXIST;
            break;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            errno = ENOSPC;
            break;
        case ERROR_INVALID_HANDLE:
            errno = EBADF;
            break;
        case ERROR_DIRECTORY:
            errno = ENOTDIR;
            break;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            errno = ENOMEM;
            break;
        default:
            errno = EIO;
            break;
    }
    return errno;
}

int OpenDescriptor(const std::string& path, OpenMode mode, Existing existing)
{
    const std::wstring wide = Widen(path);
    if (wide.empty()) {
        errno = ENOENT;
        return -1;
    }
    const DWORD access = mode == OpenMode::Read    ? GENERIC_READ
                         : mode == OpenMode::Write ? GENERIC_WRITE
                                                   : GENERIC_READ | GENERIC_WRITE;
    HANDLE handle = CreateFileW(wide.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, Disposition(existing), FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        SetErrnoFromWindows(GetLastError());
        return -1;
    }
    const int flags = _O_BINARY | (mode == OpenMode::Read    ? _O_RDONLY
                                   : mode == OpenMode::Write ? _O_WRONLY
                                                             : _O_RDWR);
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), flags);
    if (descriptor < 0) CloseHandle(handle);
    return descriptor;
}

void* HandleOf(int descriptor)
{
    if (descriptor < 0) return nullptr;
    const intptr_t handle = _get_osfhandle(descriptor);
    return handle == -1 ? nullptr : reinterpret_cast<void*>(handle);
}

int64_t ReadAtOffset(int descriptor, void* buffer, size_t count, uint64_t offset)
{
    HANDLE handle = HandleOf(descriptor);
    if (handle == nullptr) {
        errno = EBADF;
        return -1;
    }
    OVERLAPPED at = At(offset);
    DWORD got = 0;
    if (!ReadFile(handle, buffer, DWORD(count < kMaxTransfer ? count : kMaxTransfer), &got, &at)) {
        const DWORD code = GetLastError();
        if (code == ERROR_HANDLE_EOF) return 0;
        SetErrnoFromWindows(code);
        return -1;
    }
    return got;
}

int64_t WriteAtOffset(int descriptor, const void* data, size_t count, uint64_t offset)
{
    HANDLE handle = HandleOf(descriptor);
    if (handle == nullptr) {
        errno = EBADF;
        return -1;
    }
    OVERLAPPED at = At(offset);
    DWORD written = 0;
    if (!WriteFile(handle, data, DWORD(count < kMaxTransfer ? count : kMaxTransfer), &written, &at)) {
        SetErrnoFromWindows(GetLastError());
        return -1;
    }
    return written;
}

}  // namespace platform
