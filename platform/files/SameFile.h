#pragma once
// Whether two paths name one file, however each is written (relative or
// absolute, through links, or as two hard links).

#include <string>

namespace platform {

// True when both paths exist and share device and inode.
bool SameFile(const std::string& first, const std::string& second);

}  // namespace platform
