#pragma once
// Files held under an advisory lock for as long as their owner keeps them
// open (POSIX only). The system drops the lock when the owner ends in any way
// (a kill, a crash, a power loss), so a later run can remove what a dead
// owner left behind and never a file in use.

#include <cstddef>
#include <string>

namespace platform {

// Creates a new empty file <prefix><6 unique characters><suffix> in `folder`
// and locks it. Its descriptor, with `path` set, or -1 with errno set.
int CreateLockedFile(const std::string& folder, const std::string& prefix, const std::string& suffix,
                     std::string& path);

// Removes the files <prefix><6 letters or digits><suffix> of `folder` that
// are regular files of this user and whose lock can be taken: their owner
// ended without deleting them. Returns how many were removed.
size_t RemoveUnlockedFiles(const std::string& folder, const std::string& prefix, const std::string& suffix);

}  // namespace platform
