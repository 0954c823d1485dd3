#include "ordil/src/NativeFs.h"

#include "ordil/src/NativePath.h"
#include "ordil/src/Text16.h"

#include <filesystem>
#include <string>

namespace ordil {

namespace {

// The UTF-8 path as the file system library takes it on every system.
std::filesystem::path fsPath(const std::string& utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace

bool canAccess(std::u16string_view path)
{
    std::string native;
    std::error_code error;
    return toNativePath(path, native) && std::filesystem::exists(fsPath(native), error);
}

bool isFolder(std::u16string_view path)
{
    std::string native;
    std::error_code error;
    return toNativePath(path, native) && std::filesystem::is_directory(fsPath(native), error);
}

bool makeFolder(std::u16string_view path)
{
    std::string native;
    std::error_code error;
    return toNativePath(path, native) && std::filesystem::create_directory(fsPath(native), error);
}

bool driveUsable(std::u16string_view path)
{
    std::string drive;
    return drivePart(path).empty() || (toUtf8Path(drivePart(path), drive) && platform::DriveExists(drive));
}

std::optional<VolumeInfo> volumeInfo(std::u16string_view path)
{
    std::string native;
    if (!toNativePath(path, native)) return std::nullopt;
    return platform::QueryVolume(native);
}

}  // namespace ordil
