#include "platform/volume/VolumeInfo.h"

#include <sys/statvfs.h>

namespace platform {

std::optional<VolumeInfo> QueryVolume(const std::string& path)
{
    struct statvfs volume;
    if (statvfs(path.c_str(), &volume) != 0) return std::nullopt;
    return VolumeInfo{uint64_t(volume.f_bfree) * volume.f_frsize, volume.f_namemax};
}

bool DriveExists(const std::string&)
{
    return false;
}

}  // namespace platform
