#pragma once
// Overwriting a few bytes of an existing file in place.

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// Writes `size` bytes at `offset` of the existing file `path` without
// changing anything else. False when the file cannot be opened or written.
bool OverwriteFileBytes(const std::string& path, uint64_t offset, const void* data, size_t size);

}  // namespace platform
