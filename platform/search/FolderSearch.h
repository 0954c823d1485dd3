#pragma once
// The files a folder pattern such as "logs/*.csv" names.

#include <string>
#include <system_error>
#include <vector>

namespace platform {

// The regular files in the pattern's folder whose names match its last part
// (`*` any run of characters, `?` any one, letters in any case), sorted by
// name, each as the folder part of the pattern followed by the file name. A
// folder that is missing or cannot be read gives an empty list and `error`.
std::vector<std::string> FilesMatching(const std::string& pattern, std::error_code& error);

}  // namespace platform
