#include "platform/process/WildcardArgumentsWin32.h"

#include <system_error>

#include "platform/files/FileAccess.h"
#include "platform/search/FolderSearch.h"

namespace platform {

namespace {

// "/?" holds a wildcard but is a switch; "/md" too. A path starting with "/"
// holds a second separator.
bool IsSwitchOrOption(const std::string& argument)
{
    return argument[0] == '-' ||
           (argument[0] == '/' && argument.find_first_of("\\/", 1) == std::string::npos);
}

bool IsPattern(const std::string& argument)
{
    return !argument.empty() && argument.find_first_of("*?") != std::string::npos &&
           !IsSwitchOrOption(argument) && !PathExists(argument);
}

}  // namespace

std::vector<std::string> WithWildcardsExpanded(const std::vector<std::string>& arguments)
{
    std::vector<std::string> expanded;
    for (const std::string& argument : arguments) {
        std::error_code error;
        const std::vector<std::string> files =
            IsPattern(argument) ? FilesMatching(argument, error) : std::vector<std::string>();
        if (files.empty()) {
            expanded.push_back(argument);
        } else {
            expanded.insert(expanded.end(), files.begin(), files.end());
        }
    }
    return expanded;
}

}  // namespace platform
