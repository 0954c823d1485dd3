#include <windows.h>

#include <io.h>

#include <cerrno>
#include <cstring>

#include "platform/files/RegularFile.h"
#include "platform/mapping/MappedFile.h"
#include "platform/win32/Handles.h"
#include "platform/win32/WideText.h"

namespace platform {

namespace {

// Views start at multiples of the allocation granularity (64 KiB on every
// Windows so far, the window size too).
uint64_t Granularity()
{
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    return info.dwAllocationGranularity;
}

// Copies `length` bytes at `offset`, which lie within the file's `size`,
// through a view of a mapping of the file.
bool CopyThroughView(HANDLE file, void* data, size_t length, uint64_t offset)
{
    HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (mapping == nullptr) return false;
    static const uint64_t granularity = Granularity();
    const uint64_t viewStart = offset - offset % granularity;
    const size_t lead = size_t(offset - viewStart);
    void* view = MapViewOfFile(mapping, FILE_MAP_READ, DWORD(viewStart >> 32), DWORD(viewStart & 0xFFFFFFFFu),
                               lead + length);
    bool copied = false;
    if (view != nullptr) {
        std::memcpy(data, static_cast<const char*>(view) + lead, length);
        copied = UnmapViewOfFile(view);
    }
    const DWORD code = GetLastError();
    CloseHandle(mapping);
    SetLastError(code);
    return copied;
}

}  // namespace

MappedFile::~MappedFile()
{
    Close();
}

bool MappedFile::OpenRead(const std::string& path)
{
    Close();
    writable_ = false;
    refusal_.clear();
    const FileCheck check = RegularFileCheck(path);
    if (check.outcome == FileCheck::Outcome::NotRegular) {
        refusal_ = check.why;
        errno = EINVAL;
        return false;
    }
    fd_ = OpenDescriptor(path, OpenMode::Read, Existing::Open);
    return fd_ >= 0;
}

bool MappedFile::Create(const std::string& path)
{
    Close();
    fd_ = OpenDescriptor(path, OpenMode::ReadWrite, Existing::CreateOrTruncate);
    writable_ = fd_ >= 0;
    return fd_ >= 0;
}

bool MappedFile::OpenUpdate(const std::string& path)
{
    Close();
    fd_ = OpenDescriptor(path, OpenMode::ReadWrite, Existing::Open);
    writable_ = fd_ >= 0;
    return fd_ >= 0;
}

uint64_t MappedFile::Size() const
{
    LARGE_INTEGER size{};
    HANDLE handle = HandleOf(fd_);
    if (handle == nullptr || !GetFileSizeEx(handle, &size)) {
        errno = EBADF;
        return 0;
    }
    return uint64_t(size.QuadPart);
}

int64_t MappedFile::ReadAt(void* data, size_t length, uint64_t offset) const
{
    HANDLE handle = HandleOf(fd_);
    if (handle == nullptr) {
        errno = EBADF;
        return -1;
    }
    // Windows refuses to cut a file short while a view of it exists, so a
    // view never loses its pages under the reader.
    const uint64_t fileSize = Size();
    if (offset >= fileSize || length == 0) return 0;
    if (length > fileSize - offset) length = size_t(fileSize - offset);
    if (!CopyThroughView(handle, data, length, offset)) {
        SetErrnoFromWindows(GetLastError());
        return -1;
    }
    return int64_t(length);
}

int MappedFile::ExtendTo(uint64_t oldSize, uint64_t newSize)
{
    if (newSize <= oldSize) return 0;
    return CutTo(newSize);
}

int MappedFile::WriteAt(const void* data, size_t length, uint64_t offset)
{
    const auto* bytes = static_cast<const uint8_t*>(data);
    while (length > 0) {
        const int64_t written = WriteAtOffset(fd_, bytes, length, offset);
        if (written < 0) return errno;
        if (written == 0) return EIO;
        bytes += written;
        length -= size_t(written);
        offset += uint64_t(written);
    }
    return 0;
}

int MappedFile::CutTo(uint64_t newSize)
{
    HANDLE handle = HandleOf(fd_);
    if (handle == nullptr) return EBADF;
    FILE_END_OF_FILE_INFO end{};
    end.EndOfFile.QuadPart = LONGLONG(newSize);
    if (!SetFileInformationByHandle(handle, FileEndOfFileInfo, &end, sizeof end)) {
        return SetErrnoFromWindows(GetLastError());
    }
    return 0;
}

void MappedFile::Close()
{
    if (fd_ >= 0) _close(fd_);
    fd_ = -1;
    writable_ = false;
}

std::string SystemErrorText(int code)
{
    return std::strerror(code);
}

}  // namespace platform
