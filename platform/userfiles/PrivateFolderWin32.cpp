#include <windows.h>
// The member of that name, not the system function.
#undef ReplaceFile

#include <io.h>

#include <random>
#include <vector>

#include "platform/userfiles/PrivateFolder.h"
#include "platform/win32/WideText.h"

namespace platform {

namespace {

constexpr int kNameAttempts = 100;

std::error_code LastError()
{
    return std::error_code(int(GetLastError()), std::system_category());
}

// The folder is held through a handle that lets no one rename or delete it;
// names inside are reached through its final path.
int OpenFolder(const std::wstring& path)
{
    HANDLE handle = CreateFileW(path.c_str(), FILE_LIST_DIRECTORY | READ_CONTROL,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return -1;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool folder = GetFileInformationByHandle(handle, &info) &&
                        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                        !(info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
    if (!folder) {
        CloseHandle(handle);
        SetLastError(ERROR_DIRECTORY);
        return -1;
    }
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), 0);
    if (descriptor < 0) CloseHandle(handle);
    return descriptor;
}

std::wstring FinalPath(int descriptor)
{
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(descriptor));
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetFinalPathNameByHandleW(handle, buffer.data(), DWORD(buffer.size()), FILE_NAME_NORMALIZED);
        if (length == 0) return {};
        if (length < buffer.size()) return std::wstring(buffer.data(), length);
        buffer.resize(length + 1);
    }
}

std::wstring Inside(const FileDescriptor& folder, const std::string& name)
{
    return FinalPath(folder.Get()) + L"\\" + Widen(name);
}

}  // namespace

bool PrivateFolder::Open(const std::string& path, std::error_code& error)
{
    descriptor_ = FileDescriptor(OpenFolder(Widen(path)));
    if (!descriptor_.IsOpen()) error = LastError();
    return descriptor_.IsOpen();
}

bool PrivateFolder::OpenInside(const PrivateFolder& parent, const std::string& name, std::error_code& error)
{
    descriptor_ = FileDescriptor(OpenFolder(Inside(parent.descriptor_, name)));
    if (!descriptor_.IsOpen()) error = LastError();
    return descriptor_.IsOpen();
}

// Folders below the all-users documents are shared by design; what counts
// is that the folder is a real one, which OpenFolder checked.
bool PrivateFolder::OwnedByUser() const
{
    return descriptor_.IsOpen();
}

bool PrivateFolder::MakeFolder(const std::string& name, std::error_code& error) const
{
    if (CreateDirectoryW(Inside(descriptor_, name).c_str(), nullptr) ||
        GetLastError() == ERROR_ALREADY_EXISTS) {
        return true;
    }
    error = LastError();
    return false;
}

PrivateFolder::ReplaceStep PrivateFolder::ReplaceFile(const std::string& name, std::string_view content,
                                                      std::error_code& error) const
{
    std::random_device seed;
    std::mt19937 random(seed());
    std::wstring fresh;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < kNameAttempts && file == INVALID_HANDLE_VALUE; ++attempt) {
        fresh = Inside(descriptor_, "." + name + "." + std::to_string(GetCurrentProcessId()) + "." +
                                        std::to_string(random() % 1000000));
        file =
            CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_HIDDEN, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    if (file == INVALID_HANDLE_VALUE) {
        error = LastError();
        return ReplaceStep::Create;
    }
    DWORD written = 0;
    const bool wrote = WriteFile(file, content.data(), DWORD(content.size()), &written, nullptr) &&
                       written == content.size();
    if (!wrote) error = LastError();
    CloseHandle(file);
    if (!wrote) {
        DeleteFileW(fresh.c_str());
        return ReplaceStep::Write;
    }
    if (!MoveFileExW(fresh.c_str(), Inside(descriptor_, name).c_str(), MOVEFILE_REPLACE_EXISTING)) {
        error = LastError();
        DeleteFileW(fresh.c_str());
        return ReplaceStep::Rename;
    }
    return ReplaceStep::Done;
}

std::optional<std::string> PrivateFolder::ReadFile(const std::string& name, uint64_t maxSize,
                                                   std::error_code& error) const
{
    HANDLE file = CreateFileW(Inside(descriptor_, name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = LastError();
        return std::nullopt;
    }
    error.clear();
    BY_HANDLE_FILE_INFORMATION info{};
    LARGE_INTEGER size{};
    std::optional<std::string> content;
    if (GetFileInformationByHandle(file, &info) && GetFileType(file) == FILE_TYPE_DISK &&
        !(info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) &&
        GetFileSizeEx(file, &size) && uint64_t(size.QuadPart) <= maxSize) {
        content.emplace(size_t(size.QuadPart), '\0');
        DWORD got = 0;
        if (!::ReadFile(file, content->data(), DWORD(content->size()), &got, nullptr)) got = 0;
        content->resize(got);
    }
    CloseHandle(file);
    return content;
}

}  // namespace platform
