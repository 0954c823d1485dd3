#include "ordil/src/NativeFs.h"

#include "ordil/src/NativePath.h"

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <string>

namespace ordil {

bool canAccess(std::u16string_view path)
{
    std::string native;
    return toNativePath(path, native) && access(native.c_str(), F_OK) == 0;
}

bool isFolder(std::u16string_view path)
{
    std::string native;
    struct stat status;
    return toNativePath(path, native) && stat(native.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool makeFolder(std::u16string_view path)
{
    std::string native;
    return toNativePath(path, native) && mkdir(native.c_str(), 0777) == 0;
}

std::optional<VolumeInfo> volumeInfo(std::u16string_view path)
{
    std::string native;
    struct statvfs volume;
    if (!toNativePath(path, native) || statvfs(native.c_str(), &volume) != 0) return std::nullopt;
    return VolumeInfo{uint64_t(volume.f_bfree) * volume.f_frsize, volume.f_namemax};
}

}  // namespace ordil
