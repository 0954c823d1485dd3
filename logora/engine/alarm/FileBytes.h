#pragma once
// Whole-file reading for the small side files of an alarm log (the setup
// file, the embedded alarm file). The file is opened for reading only.

#include <cstdint>
#include <string>
#include <vector>

namespace logora {

// False when `path` is no regular file or cannot be read.
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes);

}  // namespace logora
