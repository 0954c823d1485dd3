#pragma once
// What this process may do with a path, asked of the operating system (its
// answer counts permissions, ownership and read-only mounts).

#include <string>

namespace platform {

// True when something exists at `path` (links followed).
bool PathExists(const std::string& path);

// True when nothing exists at `path`, or the file there may be written.
bool IsMissingOrWritable(const std::string& path);

}  // namespace platform
