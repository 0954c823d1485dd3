#pragma once
// Free space and file-name limits of the volume that holds a path.

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

struct VolumeInfo
{
    uint64_t freeBytes;  // all free bytes, not only those available to the caller
    uint64_t maxComponentLength;
};

// The volume of the existing file or folder `path`; nullopt when the path
// names nothing or the volume cannot be queried.
std::optional<VolumeInfo> QueryVolume(const std::string& path);

// Whether the drive letter of `drive` ("C:") names a drive of this machine;
// POSIX systems have none.
bool DriveExists(const std::string& drive);

}  // namespace platform
