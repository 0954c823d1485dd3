#include "vettle/FolderPattern.h"

#include <string_view>

#include "common/text/AsciiCase.h"

namespace vettle {

bool IsCsvFolderPattern(const std::string& path)
{
    return path.size() >= 5 &&
           common::EqualsIgnoringAsciiCase(std::string_view(path).substr(path.size() - 5), "*.csv");
}

}  // namespace vettle
