#include "platform/paths/NameIgnoringCase.h"

#include <strings.h>

#include <filesystem>
#include <system_error>

namespace platform {

std::string FindIgnoringCase(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code error;
    if (fs::exists(path, error)) return path;
    const fs::path wanted(path);
    const fs::path folder = wanted.has_parent_path() ? wanted.parent_path() : fs::path(".");
    const std::string name = wanted.filename().string();
    std::string found;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string candidate = it->path().filename().string();
        if (strcasecmp(candidate.c_str(), name.c_str()) == 0 && (found.empty() || candidate < found)) {
            found = std::move(candidate);
        }
    }
    if (found.empty()) return path;
    return wanted.has_parent_path() ? (folder / found).string() : found;
}

}  // namespace platform
