#pragma once
// A new empty file with a unique name in a folder (Windows only).
#include <string>

namespace platform {

// Creates TMP<hex>.tmp in `folder` with GetTempFileNameW; the path, or empty
// with errno set when none could be created.
std::string CreateTempFileIn(const std::string& folder);

}  // namespace platform
