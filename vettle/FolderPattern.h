#pragma once
// Telling a folder pattern such as "logs/*.csv" from a file path.

#include <string>

namespace vettle {

// True when the path's last five characters are "*.csv" in any letter case.
bool IsCsvFolderPattern(const std::string& path);

}  // namespace vettle
