
#include <windows.h>

#include <optional>

#include "platform/files/SameFile.h"
#include "platform/win32/WideText.h"

namespace platform {

std::optional<FileIdentity> IdentityOfFile(const std::string& path)
{
    HANDLE file = CreateFileW(Widen(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    if (!known) return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber,
                        (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

bool SameFile(const std::string& first, const std::string& second)
{
    const auto a = IdentityOfFile(first);
    const auto b = IdentityOfFile(second);
    return a && b && *a == *b;
}

}  // namespace platform
