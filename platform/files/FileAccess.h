#pragma once
// What this process may do with a path, asked of the operating system (its
// answer counts permissions, ownership and read-only mounts).

#include <string>

namespace platform {

// True when something exists at `path` (links followed).
bool PathExists(const std::string& path);

// True when something that is no regular file exists at `path` (links
// followed): a folder, a device, a named pipe. Nothing is opened to learn it.
bool IsOtherThanRegularFile(const std::string& path);

// True when nothing exists at `path`, or the file there may be written.
bool IsMissingOrWritable(const std::string& path);

}  // namespace platform
