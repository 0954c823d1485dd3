// The few file-system queries the path functions need, on UTF-16 paths.
// A path that cannot be expressed here (a drive path, broken UTF-16) does not
// exist.
#pragma once

#include "platform/volume/VolumeInfo.h"

#include <optional>
#include <string_view>

namespace ordil {

// Whether anything, file or folder, exists at the path.
bool canAccess(std::u16string_view path);
bool isFolder(std::u16string_view path);
// Creates one folder with mode 0777 less the process's umask.
bool makeFolder(std::u16string_view path);

// True when the path has no drive part ("C:"), or one that names a drive of
// this machine; POSIX systems have no drives.
bool driveUsable(std::u16string_view path);

using VolumeInfo = platform::VolumeInfo;
std::optional<VolumeInfo> volumeInfo(std::u16string_view path);

}  // namespace ordil
