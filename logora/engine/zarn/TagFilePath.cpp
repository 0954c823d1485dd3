#include "logora/engine/zarn/TagFilePath.h"

#include <strings.h>
#include <filesystem>
#include <system_error>

namespace logora {

namespace {

constexpr const char kTagFileSuffix[] = "(Tagname).DAT";
constexpr size_t kTagFileSuffixLength = sizeof kTagFileSuffix - 1;

// A file in `path`'s folder whose name equals `path`'s name without regard
// to case; `path` itself when there is none.
std::string FindIgnoringCase(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code error;
    if (fs::exists(path, error)) return path;
    const fs::path wanted(path);
    const fs::path folder = wanted.has_parent_path() ? wanted.parent_path() : fs::path(".");
    const std::string name = wanted.filename().string();
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (strcasecmp(it->path().filename().c_str(), name.c_str()) == 0) {
            return wanted.has_parent_path() ? it->path().string() : it->path().filename().string();
        }
    }
    return path;
}

}  // namespace

bool IsTagFilePath(const std::string& path)
{
    return path.size() >= kTagFileSuffixLength &&
           strcasecmp(path.c_str() + path.size() - kTagFileSuffixLength, kTagFileSuffix) == 0;
}

std::string TagFilePathFor(const std::string& dataPath)
{
    const size_t slash = dataPath.find_last_of('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    size_t cut = dataPath.find_last_of('(');
    if (cut == std::string::npos || cut < nameStart) {
        cut = dataPath.find_last_of('.');
        if (cut == std::string::npos || cut <= nameStart) cut = dataPath.size();
    }
    return FindIgnoringCase(dataPath.substr(0, cut) + kTagFileSuffix);
}

}  // namespace logora
