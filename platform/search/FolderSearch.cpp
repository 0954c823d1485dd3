#include "platform/search/FolderSearch.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace platform {

namespace {

bool SameLetter(char a, char b)
{
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

// Wildcard match by backtracking to the last `*`: linear in practice and never
// recursive.
bool MatchesPattern(const std::string& name, const std::string& pattern)
{
    size_t n = 0, p = 0, starPattern = std::string::npos, starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() &&
            (pattern[p] == '?' || (pattern[p] != '*' && SameLetter(pattern[p], name[n])))) {
            ++n, ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starPattern = p++;
            starName = n;
        } else if (starPattern != std::string::npos) {
            p = starPattern + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace

std::vector<std::string> FilesMatching(const std::string& pattern, std::error_code& error)
{
    const size_t slash = pattern.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : pattern.substr(0, slash + 1);
    const std::string namePattern = slash == std::string::npos ? pattern : pattern.substr(slash + 1);

    std::vector<std::string> names;
    error.clear();
    std::filesystem::directory_iterator entries(folder.empty() ? "." : folder, error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        std::error_code typeError;
        if (entries->is_directory(typeError)) continue;
        const std::string name = entries->path().filename().string();
        if (MatchesPattern(name, namePattern)) names.push_back(name);
    }
    if (error) return {};
    std::sort(names.begin(), names.end());
    for (std::string& name : names) name = folder + name;
    return names;
}

}  // namespace platform
