
#include <windows.h>

#include "platform/files/InputFile.h"
#include "platform/win32/Handles.h"
#include "platform/win32/WideText.h"

namespace platform {

bool InputFile::Open(const std::string& path)
{
    descriptor_ = FileDescriptor(OpenDescriptor(path, OpenMode::Read, Existing::Open));
    size_ = 0;
    return descriptor_.IsOpen();
}

InputFile::OpenResult InputFile::OpenRegular(const std::string& path)
{
    descriptor_ = FileDescriptor();
    size_ = 0;
    if (GetFileAttributesW(Widen(path).c_str()) == INVALID_FILE_ATTRIBUTES) return OpenResult::Missing;
    FileDescriptor opened(OpenDescriptor(path, OpenMode::Read, Existing::Open));
    HANDLE handle = HandleOf(opened.Get());
    LARGE_INTEGER size{};
    if (handle == nullptr || GetFileType(handle) != FILE_TYPE_DISK || !GetFileSizeEx(handle, &size)) {
        return OpenResult::NotOpened;
    }
    descriptor_ = std::move(opened);
    size_ = size.QuadPart;
    return OpenResult::Opened;
}

int64_t InputFile::ReadAt(int64_t offset, void* buffer, size_t count)
{
    if (!descriptor_.IsOpen() || offset < 0) return -1;
    return ReadAtOffset(descriptor_.Get(), buffer, count, uint64_t(offset));
}

}  // namespace platform
