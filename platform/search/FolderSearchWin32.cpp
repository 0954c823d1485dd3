
#include <windows.h>

#include <algorithm>

#include "platform/search/FolderSearch.h"
#include "platform/win32/WideText.h"

namespace platform {

// The system matches the wildcards, in any letter case. The basic search
// leaves out the short 8.3 names, which would let "*.csv" match "a.csvx".
std::vector<std::string> FilesMatching(const std::string& pattern, std::error_code& error)
{
    const size_t separator = pattern.find_last_of("\\/");
    const std::string folder =
        separator == std::string::npos ? std::string() : pattern.substr(0, separator + 1);
    std::vector<std::string> names;
    error.clear();
    WIN32_FIND_DATAW found{};
    HANDLE search =
        FindFirstFileExW(Widen(pattern).c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        // A folder without matching files is no error.
        if (code != ERROR_FILE_NOT_FOUND && code != ERROR_NO_MORE_FILES) {
            error.assign(int(code), std::system_category());
        }
        return {};
    }
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(Narrow(found.cFileName));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    for (std::string& name : names) name = folder + name;
    return names;
}

}  // namespace platform
