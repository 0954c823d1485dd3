#include "ordil/src/NativeFs.h"

#include "ordil/src/NativePath.h"

#include <filesystem>
#include <string>

namespace ordil {

bool canAccess(std::u16string_view path)
{
    std::string native;
    std::error_code error;
    return toNativePath(path, native) && std::filesystem::exists(native, error);
}

bool isFolder(std::u16string_view path)
{
    std::string native;
    std::error_code error;
    return toNativePath(path, native) && std::filesystem::is_directory(native, error);
}

bool makeFolder(std::u16string_view path)
{
    std::string native;
    std::error_code error;
    return toNativePath(path, native) && std::filesystem::create_directory(native, error);
}

std::optional<VolumeInfo> volumeInfo(std::u16string_view path)
{
    std::string native;
    if (!toNativePath(path, native)) return std::nullopt;
    return platform::QueryVolume(native);
}

}  // namespace ordil
