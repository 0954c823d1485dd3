#pragma once
// Appending to a log file that several runs may write at once.

#include <string>
#include <string_view>

namespace platform {

// Appends `bytes` with one write, so that what concurrent writers append
// does not interleave; creates the file when missing. False when the file
// cannot be opened or the write fails or falls short.
bool AppendInOneWrite(const std::string& path, std::string_view bytes);

}  // namespace platform
