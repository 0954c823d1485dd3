
#include <windows.h>

#include <vector>

#include "platform/volume/VolumeInfo.h"
#include "platform/win32/WideText.h"

namespace platform {

std::optional<VolumeInfo> QueryVolume(const std::string& path)
{
    const std::wstring wide = Widen(path);
    if (wide.empty() || GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    ULARGE_INTEGER available{}, total{}, free{};
    if (!GetDiskFreeSpaceExW(wide.c_str(), &available, &total, &free)) return std::nullopt;
    std::vector<wchar_t> root(wide.size() + 2);
    DWORD maxComponentLength = 0;
    if (!GetVolumePathNameW(wide.c_str(), root.data(), DWORD(root.size())) ||
        !GetVolumeInformationW(root.data(), nullptr, 0, nullptr, &maxComponentLength, nullptr, nullptr, 0)) {
        return std::nullopt;
    }
    return VolumeInfo{free.QuadPart, maxComponentLength};
}

bool DriveExists(const std::string& drive)
{
    const UINT type = GetDriveTypeW(Widen(drive + "\\").c_str());
    return type != DRIVE_UNKNOWN && type != DRIVE_NO_ROOT_DIR;
}

}  // namespace platform
