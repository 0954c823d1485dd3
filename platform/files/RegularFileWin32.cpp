#include <windows.h>

#include <sys/stat.h>

#include <algorithm>

#include "platform/files/FileDescriptor.h"
#include "platform/files/RegularFile.h"
#include "platform/win32/Handles.h"
#include "platform/win32/WideText.h"

namespace platform {

namespace {

constexpr size_t kPieceSize = 1 << 20;

const char* KindOf(unsigned mode)
{
    if (S_ISDIR(mode)) return "a folder";
    if (S_ISFIFO(mode)) return "a named pipe";
    if (S_ISCHR(mode)) return "a device";
    return "of an unknown kind";
}

// Opens `path` for reading when it is a regular file (a disk file, not a
// folder, a pipe or a device such as CON or NUL); closed otherwise, with
// `check` saying why.
FileDescriptor OpenRegular(const std::string& path, FileCheck& check, uint64_t& size)
{
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        check = {FileCheck::Outcome::NotRegular, NotRegularFileText(path, S_IFDIR)};
        return FileDescriptor();
    }
    FileDescriptor file(OpenDescriptor(path, OpenMode::Read, Existing::Open));
    if (!file.IsOpen()) {
        check = {FileCheck::Outcome::CannotOpen,
                 path + ": cannot be opened for reading: " + WindowsErrorText(GetLastError())};
        return file;
    }
    HANDLE handle = HandleOf(file.Get());
    const DWORD type = GetFileType(handle);
    LARGE_INTEGER length{};
    if (type != FILE_TYPE_DISK) {
        check = {FileCheck::Outcome::NotRegular,
                 NotRegularFileText(path, type == FILE_TYPE_PIPE ? S_IFIFO : S_IFCHR)};
        return FileDescriptor();
    }
    if (!GetFileSizeEx(handle, &length)) {
        check = {FileCheck::Outcome::CannotOpen,
                 path + ": cannot be examined: " + WindowsErrorText(GetLastError())};
        return FileDescriptor();
    }
    check = {FileCheck::Outcome::Regular, {}};
    size = uint64_t(length.QuadPart);
    return file;
}

}  // namespace

FileCheck RegularFileCheck(const std::string& path)
{
    FileCheck check;
    uint64_t size = 0;
    OpenRegular(path, check, size);
    return check;
}

std::string ReadRegularFile(const std::string& path, uint64_t limit, std::vector<uint8_t>& bytes)
{
    bytes.clear();
    FileCheck check;
    uint64_t size = 0;
    FileDescriptor file = OpenRegular(path, check, size);
    if (!file.IsOpen()) return check.why;
    if (size > limit) return SizeBeyondLimitText(path, size, limit);
    bytes.reserve(size_t(size));
    std::vector<uint8_t> piece(size_t(std::min<uint64_t>(kPieceSize, size + 1)));
    for (;;) {
        const int64_t got = file.Read(piece.data(), piece.size());
        if (got < 0) {
            bytes.clear();
            return path + ": cannot be read: " + WindowsErrorText(GetLastError());
        }
        if (got == 0) return {};
        // A file that grows while it is read is still held to the limit.
        if (uint64_t(got) > limit - bytes.size()) {
            const uint64_t seen = bytes.size() + uint64_t(got);
            bytes.clear();
            return SizeBeyondLimitText(path + " (grown while read)", seen, limit);
        }
        bytes.insert(bytes.end(), piece.begin(), piece.begin() + got);
    }
}

std::string NotRegularFileText(const std::string& path, unsigned mode)
{
    return path + ": is " + KindOf(mode) + ", not a regular file";
}

}  // namespace platform
