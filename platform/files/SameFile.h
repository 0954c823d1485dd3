#pragma once
// Whether two paths name one file, however each is written (relative or
// absolute, through links, or as two hard links).

#include <compare>
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// What tells one file from another on the system: device and inode.
struct FileIdentity
{
    uint64_t device = 0;
    uint64_t file = 0;
    auto operator<=>(const FileIdentity&) const = default;
};

// The identity of the file `path` names; none when it does not exist. One
// look per path, for comparing many paths with many.
std::optional<FileIdentity> IdentityOfFile(const std::string& path);

// True when both paths exist and share device and inode.
bool SameFile(const std::string& first, const std::string& second);

}  // namespace platform
